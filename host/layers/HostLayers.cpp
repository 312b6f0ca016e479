// The host's layers above the core, in the order in which they take their
// steps: the world, then the user interface that shows it (plug-in panels
// before actions, so that a plug-in's panels are known when its menus are
// read). The one place that knows every layer.
#include "core/Layer.h"
#include "ui/ActionManager.h"
#include "ui/Alerts.h"
#include "ui/Clipboard.h"
#include "ui/DialogManager.h"
#include "ui/PluginPanels.h"
#include "world/World.h"

namespace host {

namespace {

template <class T> void Add(Host& host) {
    static_assert(T::kSlot < Host::kSlots, "a slot of the host's");
    host.AddLayer(std::make_unique<T>(host), T::kSlot);
}

} // namespace

void CreateLayers(Host& host) {
    Add<World>(host);
    Add<ui::PluginPanels>(host);
    Add<ui::ActionManager>(host);
    Add<ui::DialogManager>(host);
    Add<ui::Alerts>(host);
    Add<ui::Clipboard>(host);
}

} // namespace host
