// How the layers above the core (the world, the user interface, …) join a
// host without the core knowing them, as a plug-in brings its classes in
// through its class table.
//
// A Layer is an object with virtual steps; each step does nothing unless the
// layer overrides it. The host builds its layers when it is built, from the
// one list in layers/HostLayers.cpp (CreateLayers), and runs every step over
// them in that order on the way up (Host::Notify) and in reverse order on the
// way down (Host::NotifyDown). A layer that keeps state for the life of the host (the
// world's description, the plug-in panels, the dialogs, …) is that state:
// its place in that list is its slot, named in its header with a
// `static constexpr size_t kSlot` that the list checks at compile time, and
// the layers above reach it with `host.Get<World>()`, two loads and no search.
//
// Steps are the host's life cycle, which only layers take. What a layer
// reports to whoever listens (an alert shown, a dialog opened) is a channel
// of that layer (core/Channel.h).
#pragma once

#include "SDKTypes.h"

#include <string>

class IPMUnknown;

namespace host {

class Boss;
class Host;
class ObjectModel;
struct LoadedPlugin;

class OPAL_SDK_API Layer {
public:
    virtual ~Layer() = default;

    // ---- The host and the session -----------------------------------------------
    // Once, when the host is built: the layer's host classes (the
    // implementations register themselves with CREATE_PMINTERFACE).
    virtual void DefineClasses(ObjectModel& /*model*/) {}
    // A plug-in is loaded and its classes are known.
    virtual void PluginLoaded(const LoadedPlugin& /*plugin*/) {}
    // The workspace object exists (before the layers' ApplicationCreated), and
    // is about to go (after the shut-down services, before ApplicationEnding).
    virtual void WorkspaceCreated(Boss& /*workspace*/) {}
    virtual void WorkspaceClosing(Boss& /*workspace*/) {}
    // The workspace and application objects exist; no plug-in has started.
    virtual void ApplicationCreated() {}
    // The plug-ins' start-up services have run.
    virtual void ApplicationStarted() {}
    // The shut-down services have run; the application object is still there
    // (in reverse order).
    virtual void ApplicationEnding() {}

    // ---- What the world reports ---------------------------------------------------
    // A palette window was shown or hidden (after the window).
    virtual void PaletteShown(const Boss* /*palette*/, bool /*shown*/) {}
    // The world's objects have been taken down.
    virtual void WorldTakenDown() {}
    // The host's utilities find widgets: the layer that owns them answers
    // with a reference, or nullptr (another layer may know).
    virtual IPMUnknown* QueryPanelByWidgetID(WidgetID /*widgetID*/) const { return nullptr; }
    virtual IPMUnknown* QueryPaletteOfWidget(const IPMUnknown* /*widget*/) const { return nullptr; }
};

// Adds the host's layers above the core to `host`, in order, each in its
// slot (Host::AddLayer). Defined at the top of the host
// library, the one place that knows every layer.
void CreateLayers(Host& host);

} // namespace host
