// The keyboard in a panel (or dialog): which of its controls has the focus,
// Tab and Shift+Tab through them in layout order, and a key sent where it
// goes. The controls that take the focus are the enabled, visible lists,
// fields and buttons. The focus is kept by the panel's root (its widget
// ID), so a panel rebuilt keeps it and nothing outlives the widgets.
//
//   MoveFocus(host, panel, false);       // Tab
//   PanelKey(host, panel, {Key::Code::kDown});
#pragma once

#include "core/Host.h"
#include "ui/SliderCombo.h"

#include <vector>

namespace host::ui {

// The root of the widget's tree (the panel or dialog it is in).
OPAL_SDK_API Boss* RootOf(const Boss* widget);
// The controls of the panel that take the focus, in layout order.
OPAL_SDK_API std::vector<Boss*> FocusableControls(Host& host, const Boss* panel);
// The control with the focus in the panel, or nullptr.
OPAL_SDK_API Boss* FocusOf(Host& host, const Boss* panel);
// Gives the control the focus (a field selects its text); the control
// leaving it drops any typing. Returns whether the control took it.
OPAL_SDK_API bool SetFocus(Host& host, Boss* control);
// Tab (backwards: Shift+Tab): typing in the field is entered first, and a
// refused value keeps the focus there. Returns whether the focus moved.
OPAL_SDK_API bool MoveFocus(Host& host, Boss* panel, bool backwards);

// What a key did in the panel.
enum class KeyResult { kTaken, kIgnored, kRefused };
// Tab moves the focus; other keys go to the control with the focus: a list
// moves its selection, a field edits, a button is pressed by Space or Enter.
OPAL_SDK_API KeyResult PanelKey(Host& host, Boss* panel, const Key& key);

} // namespace host::ui
