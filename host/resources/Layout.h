// Widget layouts (resource type 501) in the project's own format, and their
// decoded form, from which the host builds widgets. tools/rescomp/LAYOUT.md
// describes the bytes; LayoutFormat.h holds the numbers shared with the compiler.
#pragma once

#include "LayoutFormat.h"
#include "SDKTypes.h"
#include "resources/Resources.h"

#include <optional>
#include <string>
#include <vector>

namespace host {

namespace layout = ::layout;

struct Frame {
    double left, top, right, bottom;
    friend bool operator==(const Frame& a, const Frame& b) {
        return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
    }
};

struct ResourceRef {
    PluginID plugin;
    RsrcID id;
    friend bool operator==(const ResourceRef& a, const ResourceRef& b) {
        return a.plugin == b.plugin && a.id == b.id;
    }
};

struct ListBoxSpec {
    ResourceRef rowTemplate;
    double rowHeight;
    bool multipleSelection;
};

struct ValueLimits {
    double lower, upper;
};

// Values the host stores for one of its data interfaces on the widget.
struct InterfaceData {
    PMIID iid;
    std::vector<int32> values;
};

struct WidgetSpec {
    ClassID widgetClass = kInvalidClass;
    WidgetID widgetID = 0; // 0: none
    Frame frame{};
    uint16 binding = layout::kBindNone;
    bool visible = true;
    bool enabled = true;

    std::optional<std::string> text;    // literal
    std::optional<std::string> textKey; // translated
    std::optional<std::string> menuNameKey;
    std::optional<PMIID> observerIID;
    std::optional<std::pair<int32, int32>> erasableValues;
    std::optional<ResourceRef> drawing;
    std::optional<ResourceRef> picture;
    std::optional<ListBoxSpec> listBox;
    std::optional<ValueLimits> valueLimits;
    std::vector<InterfaceData> data;

    std::vector<WidgetSpec> children;

    // This widget or the first descendant (depth first) with the ID.
    OPAL_SDK_API const WidgetSpec* FindByID(WidgetID id) const;
    // The data the widget carries for an interface, or nullptr.
    OPAL_SDK_API const InterfaceData* FindData(PMIID iid) const;
};

// Decodes a layout record; nullopt for a damaged one (short, counts beyond the
// data, an attribute of the wrong size, nesting too deep, bytes left over).
OPAL_SDK_API std::optional<WidgetSpec> DecodeLayout(const Bytes& bytes);

} // namespace host
