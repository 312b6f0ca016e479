// Icon buttons (class 0x6a0): a press is told on IID_IBUTTON_PROTOCOL as
// kButtonPressedMsg; a disabled or hidden button takes no presses.
#pragma once

#include "core/Host.h"
#include "ui/Widgets.h"

#include <optional>
#include <string>

namespace host::ui {

// Returns whether the button took the press.
OPAL_SDK_API bool PressButton(Boss* button);

// The tip of a widget from the loaded plug-ins' tips resources (type 510),
// in the host's language; nothing when no plug-in gives one. A person sees
// it after the pointer rests on the widget.
OPAL_SDK_API std::optional<std::string> TipOf(const Host& host, const Boss* widget);

} // namespace host::ui
