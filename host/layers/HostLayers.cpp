// The host's layers above the core, in the order in which they take their
// steps: the world, then the user interface that shows it (plug-in panels
// before actions, so that a plug-in's panels are known when its menus are
// read). The one place that knows every layer: a layer's place in this list
// is its slot, and the build fails when the slot its header names
// (T::kSlot, through which host.Get<T>() reaches it) is another.
#include "core/Layer.h"
#include "ui/ActionManager.h"
#include "ui/Alerts.h"
#include "ui/Clipboard.h"
#include "ui/DialogManager.h"
#include "ui/PluginPanels.h"
#include "world/World.h"

#include <type_traits>
#include <utility>

namespace host {

namespace {

template <class... Layers> struct LayerList {
    static constexpr size_t kCount = sizeof...(Layers);

    static void AddAll(Host& host) { AddAll(host, std::index_sequence_for<Layers...>()); }

private:
    template <size_t... Slots> static void AddAll(Host& host, std::index_sequence<Slots...>) {
        static_assert(((Layers::kSlot == Slots) && ...), "a layer's slot is its place in the list");
        (host.AddLayer(std::make_unique<Layers>(host)), ...);
    }
};

using HostLayers = LayerList<World, ui::PluginPanels, ui::ActionManager, ui::DialogManager,
                             ui::Alerts, ui::Clipboard>;
static_assert(HostLayers::kCount <= Host::kSlots, "every layer has a slot of the host's");

} // namespace

void CreateLayers(Host& host) {
    HostLayers::AddAll(host);
}

} // namespace host
