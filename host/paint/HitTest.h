// What is at a point of the screen, found in the same layout that draws it
// (paint/Layout.h), and what a plain click there does: the one way the live
// windows turn the mouse into the person's actions (ui/UserAction.h).
//
// In a window procedure, with the point on the screen:
//
//   const paint::ScreenLook screen = paint::LayOut(measure);
//   const paint::Point at{double(screenX), double(screenY)};
//   if (auto action = paint::ActionAt(screen, at))          // WM_LBUTTONDOWN
//       ui::Perform(host, *action);
//   else switch (paint::HitTest(screen, at).part) { ... }  // drags, menu, field
//
// A drag starts from the hit: a title bar moves its palette
// (UserAction::Place(hit.palette, …)), a size box resizes its panel
// (UserAction::Resize(hit.panel, …)); the menu button opens the menu of
// ui::MenuNameOf(hit.panel) and the entry chosen is
// UserAction::ChooseMenu(hit.panel, path); a field takes keys until Enter,
// then UserAction::Type(hit.widget, text).
#pragma once

#include "paint/Drawing.h"
#include "paint/Layout.h"
#include "ui/UserAction.h"

#include <optional>
#include <string>
#include <vector>

namespace host::paint {

struct Hit {
    enum class Part {
        kNothing,      // the desk or the document
        kPalette,      // a palette's frame or a part of its panel that does nothing
        kTitle,        // the palette's title bar: dragged, it moves the palette
        kMenuButton,   // opens the front panel's menu
        kTab,          // panelID: the tab's panel
        kRow,          // widget: the row; list, row: the list and the row's index
        kField,        // widget: the field
        kButton,       // widget: the button (an icon button)
        kSizeBox,      // widget: the size box; dragged, it resizes `panel`
        kWidget,       // widget: another widget of the front panel
        kDialog,       // dialog: a dialog's title or face
        kDialogButton, // dialog, widget: its OK button
        kListSpace,    // list: the list's space below its rows
        kScrollBar,    // list: its scroll bar; row: -1 above the thumb, 1 below, 0 on it
    };
    Part part = Part::kNothing;
    std::string palette;          // the palette's name (every palette part)
    int32 panelID = 0;            // a tab's panel, or the panel the widget is in
    const Boss* panel = nullptr;  // the panel widget the widget is in; a menu button's front panel
    const Boss* widget = nullptr; // the widget hit (a row: its cell)
    const Boss* list = nullptr;   // a row's list
    int32 row = -1;               // a row's index in its list
    const Boss* dialog = nullptr; // the dialog's root
    Rect area;                    // the part hit, on the screen
};

// The topmost thing at the point: dialogs over palettes, a later palette
// over an earlier one, a panel's widgets innermost first (any widget the
// layout places, by its host class: a list's rows, fields, icon and OK
// buttons, size boxes).
OPAL_SDK_API Hit HitTest(const ScreenLook& screen, Point at);

// What a plain click at the point does, or nothing when it does nothing by
// itself (a title, menu button, field or size box: see above): a row selects
// only itself, a button is pressed, a tab comes to the front, a dialog's OK
// button is pressed.
OPAL_SDK_API std::optional<ui::UserAction> ActionAt(const ScreenLook& screen, Point at);
// A second click soon after the first: on a row a double-click, elsewhere a
// click as above (two quick presses of a button press it twice).
OPAL_SDK_API std::optional<ui::UserAction> DoubleClickAt(const ScreenLook& screen, Point at);

// What pressing the mouse button at the point does, in order: the palette
// comes in front of the others, the control there takes the focus, and the
// click's own action, except that a button is only held down (release it
// with UserAction::ButtonUp: it acts when released over it); empty list
// space clears the selection and the scroll bar's track pages the list.
OPAL_SDK_API std::vector<ui::UserAction> PressActions(const ScreenLook& screen, Point at);
// The host's alert (paint/Layout.h) in its window's coordinates: what a
// press there is on, and what a key does to it. The check box takes its
// label too; the title drags the window.
enum class AlertPart { kNothing, kTitle, kCheck, kOK };
OPAL_SDK_API AlertPart AlertHitTest(const AlertLook& look, Point at);
// Escape and Enter close it (as OK does), Space presses the control with the
// focus (ticks the check box, or OK), Tab and Shift+Tab move the focus
// between the check box and OK. Returns whether the alert closes.
OPAL_SDK_API bool AlertKey(const AlertLook& look, AlertState& state, const ui::Key& key);

// The wheel turned at the point: the list under it scrolls by `rows`.
OPAL_SDK_API std::optional<ui::UserAction> WheelAt(const ScreenLook& screen, Point at, int32 rows);

// The thumb of a list's scroll bar held by the pointer: where it was
// grabbed, and the list's first row in view then.
struct ThumbGrab {
    const Boss* list = nullptr; // compared, never followed: the list may be gone
    double y = 0;
    int32 first = 0;
};
// The thumb at the point, grabbed there; nothing when the point is not on one.
OPAL_SDK_API std::optional<ThumbGrab> GrabThumb(const ScreenLook& screen, Point at);
// The thumb held and moved with the pointer to the point: the list scrolls
// through its rows as far as the thumb moved through its travel, kept
// within them; nothing when that is where it is, or the list is not shown.
OPAL_SDK_API std::optional<ui::UserAction> DragThumb(const ScreenLook& screen,
                                                     const ThumbGrab& grab, Point at);

} // namespace host::paint
