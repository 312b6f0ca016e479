// The host's user interface: widgets built from the plug-ins' layouts,
// dialogs, alerts, actions and menus. It comes into a session as a layer of
// the core (core/Layer.h), after the world it shows.
#pragma once

#include "core/ObjectModel.h"

namespace host::ui {

// The user interface's host classes; the core calls it once, when the host
// starts.
void DefineClasses(ObjectModel& model);

} // namespace host::ui
