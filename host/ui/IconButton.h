// Icon buttons (class 0x6a0): a press is told on IID_IBUTTON_PROTOCOL as
// kButtonPressedMsg; a disabled or hidden button takes no presses.
#pragma once

#include "ui/Widgets.h"

namespace host::ui {

// Returns whether the button took the press.
OPAL_SDK_API bool PressButton(Boss* button);

} // namespace host::ui
