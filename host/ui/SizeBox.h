// The size box (class 0x65e): dragging it resizes the panel it sits in. The
// panel's view decides the size it accepts, then is resized to it, and its
// children follow by their frame bindings.
#pragma once

#include "ui/Widgets.h"

namespace host::ui {

// Drags the panel's size box so that the panel would be `width` × `height`;
// returns the size the panel took.
OPAL_SDK_API PMPoint DragPanelTo(Boss* panel, PMReal width, PMReal height);

} // namespace host::ui
