// Builds widget trees from a plug-in's layouts (resource type 501), reached
// through the locale index of the same ID (type 503) when the resource is
// localized.
#pragma once

#include "core/Host.h"
#include "resources/Layout.h"

#include <optional>

namespace host::ui {

// The layout of `plugin`'s resource `id`; through its locale index for
// `language` when `localized`. nullopt when the plug-in, the index or the
// layout is missing or damaged.
OPAL_SDK_API std::optional<WidgetSpec> ReadLayout(const Host& host, PluginID plugin, RsrcID id,
                                                  bool localized, uint16 language);

// Builds the widget and its subtree, placed in `db` (for GetDataBase) but not
// stored in it; the caller gets the one reference. nullptr for a class the
// host does not know. A plug-in class whose own view implementation is absent
// gets the view of the class it derives from, so that it can still be shown.
OPAL_SDK_API Boss* BuildWidget(Host& host, const WidgetSpec& spec, IDataBase* db);

} // namespace host::ui
