// Where the host's windows and their parts are on the screen: palettes with
// their title bars, tab strips, menu buttons and front panels, and the open
// dialogs. The drawing (paint/Drawing.h), the pictures of the screen and the
// live windows all place things from here, and so does `print places`, so
// that what a person clicks is where it is drawn.
#pragma once

#include "core/ObjectModel.h"
#include "paint/Painter.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class IControlView;

namespace host::paint {

constexpr int32 kScreenWidth = 960;
constexpr int32 kScreenHeight = 640;

// ---- Geometry of the host's windows ------------------------------------------------
constexpr int32 kBorder = 1;
constexpr int32 kTitleHeight = 18;
constexpr int32 kTabHeight = 20;
// The menu button's square, at the right end of a palette's first tab strip.
constexpr int32 kMenuButtonWidth = kTabHeight;
constexpr int32 kPlaceholderWidth = 200;
constexpr int32 kPlaceholderHeight = 96;
constexpr Font kWindowFont{10.5, false};
constexpr Font kWidgetFont{10, false};

// A window as the screen shows it, in screen pixels.
struct WindowArea {
    std::string name;
    int32 left = 0, top = 0, width = 0, height = 0;
    uint8 alpha = 255; // as composited
    // Where the front panel of each tab group sits.
    struct Panel {
        int32 panelID = 0;
        int32 left = 0, top = 0;
    };
    std::vector<Panel> panels;
};

// An open dialog: its title, the root of its widget tree and its size (0:
// the root's frame); the host's dialog manager gives its front dialog.
struct DialogView {
    std::string title;
    const Boss* root = nullptr;
    int32 width = 0, height = 0;
};

// The rectangles below are in their window's coordinates (from its top-left).
struct TabLook {
    std::string name;  // the panel's, as a person reads it
    std::string label; // as the tab shows it: cut to "…" when the strip is short of room
    bool front = false;
    Rect area;
    int32 panelID = 0;
};

struct GroupLook {
    std::vector<TabLook> tabs;
    Rect strip;   // the tab strip
    Rect content; // the front panel
    int32 frontID = 0;
    const Boss* widget = nullptr; // the plug-in panel's widget, or null: a placeholder
    std::string frontName;
};

struct PaletteLook {
    WindowArea area;
    Rect title;
    Rect menu; // empty when the palette holds no panel
    std::vector<GroupLook> groups;
};

struct DialogLook {
    DialogView view;
    WindowArea area; // its place on the screen
    Rect title;
    Rect content;
    Point origin; // where the widget tree's frames count from
};

struct ScreenLook {
    std::vector<PaletteLook> palettes; // bottom first
    std::vector<DialogLook> dialogs;
};

// The text as it fits the width: whole, or cut to end in "…".
OPAL_SDK_API std::string FitText(TextMeasure& measure, const std::string& text, const Font& font,
                                 double width);

// `host`'s screen now; tabs are as wide as `measure` finds their names.
OPAL_SDK_API ScreenLook LayOut(const Host& host, TextMeasure& measure);
// The palette windows shown now, bottom first (no text measured: tabs are empty).
OPAL_SDK_API std::vector<WindowArea> ShownWindows(const Host& host);
// A palette's or dialog's part in screen coordinates.
inline Rect OnScreen(const WindowArea& window, const Rect& part) {
    return {window.left + part.x, window.top + part.y, part.width, part.height};
}

// ---- The host's alert ------------------------------------------------------------------
// The host's own alert window, laid out and drawn by the host like its
// dialogs: the title bar (the application's name, as the host titles its
// alerts), the text wrapped to the width, the "don't show again" check box
// when offered, and an OK button like the About dialog's.
constexpr char kApplicationName[] = "Opal";
constexpr char kDontShowAgainText[] = "Don't show again";
constexpr int32 kAlertWidth = 380;
struct AlertLook {
    std::string title = kApplicationName;
    std::vector<std::string> lines; // the text as wrapped
    int32 width = 0, height = 0;    // the window's
    Rect titleBar, text, check, checkLabel, ok;
    bool offered = false;
};
// Rectangles in the window's coordinates; `check` and `checkLabel` empty
// when not offered.
OPAL_SDK_API AlertLook LayOutAlert(TextMeasure& measure, const std::string& text, bool offered);
// Whole words to lines no wider than `width` (a word longer than that alone).
OPAL_SDK_API std::vector<std::string> WrapText(TextMeasure& measure, const std::string& text,
                                               const Font& font, double width);

// ---- Widgets -------------------------------------------------------------------------

// The host widget class a widget's class is, or derives from; 0 for none.
OPAL_SDK_API ClassID HostKind(const Boss* widget);
// A view's rectangle when its parent's top-left is at the origin.
OPAL_SDK_API Rect WidgetBox(const IControlView& view, Point origin);
// Whether the widget shows only the part of its children within it (a list).
OPAL_SDK_API bool ClipsChildren(const Boss* widget);

// A shown widget where it is drawn: its whole box and the part of it that
// shows (inside every clipping parent); `shown` is empty when none does.
struct WidgetPlace {
    const Boss* widget = nullptr;
    Rect box, shown;
};
// Every visible widget of the tree, parents first, when the root's parent's
// top-left is at the origin.
OPAL_SDK_API std::vector<WidgetPlace> WidgetPlaces(const Boss* root, Point origin);

// A list's scroll bar while its rows overflow, from the list's box: the
// track at the right of its scrolling area, and the thumb in it.
struct ScrollBarLook {
    Rect track, thumb;
};
OPAL_SDK_API std::optional<ScrollBarLook> ScrollBarOf(const Boss* list, const Rect& listBox);

// Where a group's front panel widget's frame counts from, in its window.
OPAL_SDK_API Point PanelOrigin(const GroupLook& group);
// The widgets of a palette's front panel, and of a dialog, on the screen.
OPAL_SDK_API std::vector<WidgetPlace> PanelPlaces(const PaletteLook& look, const GroupLook& group);
OPAL_SDK_API std::vector<WidgetPlace> DialogPlaces(const DialogLook& look);
// A dialog's widgets: its root when that is a view, else the root's children.
OPAL_SDK_API std::vector<const Boss*> DialogWidgets(const DialogLook& look);

// Made by the platform's drawing: text measured as that platform's painter draws it.
OPAL_SDK_API std::unique_ptr<TextMeasure> NewScreenTextMeasure();

} // namespace host::paint
