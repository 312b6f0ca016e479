// How the layers above the core (the world, the user interface, …) bring
// their host classes and objects into a session without the core knowing
// them, as a plug-in brings its own through its class table. A layer
// registers one Layer when the host library loads (a LayerRegistration at
// namespace scope); the core runs the layers' steps in rank order on the way
// up and in reverse order on the way down.
#pragma once

#include "SDKTypes.h"

namespace host {

class Host;
class ObjectModel;

struct Layer {
    const char* name;
    int rank; // lower ranks first: the world before the user interface
    // Defines the layer's host classes, once, when the host starts; the
    // implementations register themselves (CREATE_PMINTERFACE).
    void (*defineClasses)(ObjectModel& model) = nullptr;
    // The workspace and application objects exist; no plug-in has started.
    void (*applicationCreated)() = nullptr;
    // The plug-ins' start-up services have run.
    void (*applicationStarted)() = nullptr;
    // The shut-down services have run; the application object is still there.
    void (*applicationEnding)() = nullptr;
    // Once the host object exists, before any plug-in loads: the layer hooks
    // itself into the host (and the layers below it).
    void (*hostCreated)(Host& host) = nullptr;
};

OPAL_SDK_API void RegisterLayer(const Layer& layer);

struct LayerRegistration {
    explicit LayerRegistration(const Layer& layer) { RegisterLayer(layer); }
};

} // namespace host
