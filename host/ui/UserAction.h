// One thing a person does with the host's windows, carried out one way,
// whoever asks: the script commands (`select`, `type`, `press`,
// `doubleclick`, `resize`, `place`, `front`, `menu "ENTRY"…`, `press ok`,
// `answer`, `key`, `focus`, `scroll`, `hover`, `click`), a click, a key or
// the wheel in a live window (paint/HitTest.h turns a point of the
// screen into one) and the randomized sessions. So a command, a click and a
// random step send the host exactly the same messages.
//
//   Perform(host, UserAction::Select(list, {0, 2}));
//   Perform(host, UserAction::Type(field, "40"));  // kIgnored: the field is disabled
//   Perform(host, UserAction::ChooseMenu(panel, {"Hide Opal"}));
//
// The widgets named are the host's live widgets; the caller keeps them alive
// for the call (a double-click holds its row, which the first click may
// rebuild).
#pragma once

#include "core/Host.h"
#include "ui/Alerts.h"
#include "ui/Widgets.h"

#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace host::ui {

struct OPAL_SDK_API UserAction {
    enum class Kind {
        kSelect,       // widget: the list; rows: exactly the rows selected after
        kType,         // widget: the field; text: typed, then Enter
        kPress,        // widget: the button
        kDoubleClick,  // widget: the list; row: the row clicked twice
        kResize,       // widget: the panel whose size box is dragged; x, y: W H
        kPlace,        // palette: by its title to x, y on the screen
        kFront,        // panelID: its tab clicked
        kChooseMenu,   // widget: the panel whose menu; path: sub-menu titles, then the entry
        kDialogButton, // widget: the dialog (null: the front one); button: its OK button
        kAnswer,       // answer: how the next alerts that offer "don't show again" are answered
        kKey,          // widget: the panel or dialog (or a widget in it); key: the key pressed
        kFocus,        // widget: the control clicked or tabbed to
        kScroll,       // widget: the list; row: the row to bring into view
        kWheel,        // widget: the list; y: rows to scroll (positive: down)
        kHover,        // widget: the button the pointer rests on, or null: on none
        kButtonDown,   // widget: the button the pointer is pressed on
        kButtonDrag,   // widget: the button held; x: 1 the pointer over it, 0 off it
        kButtonUp,     // widget: the button held; x: 1 released over it, 0 elsewhere
        kRaise,        // palette: clicked or dragged, it comes in front of the others
    };
    Kind kind = Kind::kPress;
    Boss* widget = nullptr;
    Boss* button = nullptr;
    std::set<int32> rows;
    int32 row = -1;
    std::string text;
    std::string palette;
    int32 x = 0, y = 0;
    int32 panelID = 0;
    std::vector<std::string> path;
    AlertAnswer answer = AlertAnswer::kOK;
    Key key;

    static UserAction Select(Boss* list, std::set<int32> rows);
    static UserAction Type(Boss* field, std::string text);
    static UserAction Press(Boss* button);
    static UserAction DoubleClick(Boss* list, int32 row);
    static UserAction Resize(Boss* panel, int32 width, int32 height);
    static UserAction Place(std::string palette, int32 x, int32 y);
    static UserAction Front(int32 panelID);
    static UserAction ChooseMenu(Boss* panel, std::vector<std::string> path);
    static UserAction PressDialogButton(Boss* dialog, Boss* button = nullptr);
    static UserAction Answer(AlertAnswer answer);
    static UserAction KeyPress(Boss* panel, Key key);
    static UserAction Focus(Boss* control);
    static UserAction Scroll(Boss* list, int32 row);
    static UserAction Wheel(Boss* list, int32 rows);
    static UserAction Hover(Boss* button);
    static UserAction ButtonDown(Boss* button);
    static UserAction ButtonDrag(Boss* button, bool inside);
    static UserAction ButtonUp(Boss* button, bool inside);
    static UserAction Raise(std::string palette);
};

// What became of an action the host could take.
enum class ActionResult {
    kDone,
    kIgnored, // the widget took nothing: disabled or hidden, or the rows already so
    kRefused, // a typed value outside the field's limits (the host's alert said so)
};

// An action the host cannot take: an unknown palette or panel, a panel in no
// palette, a menu entry missing or disabled, no dialog open, a row not in the
// list. The message is one line for the person.
struct OPAL_SDK_API UserActionError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Carries the action out on `host`; throws UserActionError.
OPAL_SDK_API ActionResult Perform(Host& host, const UserAction& action);

// The name key of the panel widget's menu (its layout's), or nothing: what
// the menu button of a palette whose front panel this is opens, through
// host.Get<ActionManager>().ShowMenu(key).
OPAL_SDK_API std::optional<std::string> MenuNameOf(const Boss* panel);

} // namespace host::ui
