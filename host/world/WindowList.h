// The messages the world sends as it changes: on the application's window
// list (a palette window created, shown, hidden or destroyed) and on a tab
// area's own subject (its tabs changed). They wait in order until the change
// is complete, so that an observer sees a consistent world.
#pragma once

#include "core/ObjectModel.h"

namespace host {

// A message waiting to be sent; its bosses are held until then.
struct WorldMessage {
    Boss* subject; // nullptr: the application's window list
    ClassID change;
    Boss* origin;
};

} // namespace host
