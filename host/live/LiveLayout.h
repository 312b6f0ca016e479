// Where a live palette window shows what, in the window's own pixels: its
// title bar, menu button, tab strips and tabs, its panels, and the parts of
// the Opal panel a person clicks. Painting and input both read it, so what
// is drawn is what is hit.
#pragma once

#include "OSWindows.h"
#include "core/ObjectModel.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace host::live {

struct Rect {
    int x = 0, y = 0, w = 0, h = 0;
    bool Contains(int px, int py) const { return px >= x && py >= y && px < x + w && py < y + h; }
};

constexpr int kBorder = 1;
constexpr int kTitleHeight = 18;
constexpr int kTabHeight = 20;
constexpr int kMenuButtonWidth = 18;
constexpr int kPlaceholderWidth = 200;
constexpr int kPlaceholderHeight = 96;

struct TabPlace {
    int32 panelID = 0;
    std::string label; // as the tab shows it
    bool front = false;
    Rect rect;
};

struct GroupPlace {
    Rect strip, content;
    std::vector<TabPlace> tabs;
    int32 frontID = 0;
    std::string frontLabel;
    const Boss* widget = nullptr; // a plug-in panel's widget, or null: a placeholder
};

struct PaletteLayout {
    std::string name;
    HWND window = nullptr;
    int x = 0, y = 0, w = 0, h = 0; // on the screen
    Rect title, menu;
    std::vector<GroupPlace> groups;
};

// The width of a text as the windows draw it.
using TextWidth = std::function<int(const std::string& text)>;

// Every palette whose window is shown, in creation order.
std::vector<PaletteLayout> ShownPalettes(const TextWidth& width);
std::optional<PaletteLayout> FindLayout(HWND window, const TextWidth& width);

// The Opal panel's parts, in its palette window's pixels.
struct OpalPlaces {
    Boss* panel = nullptr;
    Boss* list = nullptr;
    Rect listRect;
    std::vector<Rect> rows;
    Rect field, onOff, swap, sizeBox;
};
std::optional<OpalPlaces> FindOpal(const PaletteLayout& palette);

// Where the widget and its children sit: `visit` gets each visible widget
// with its rectangle and whether it is inside a highlighted list row.
using WidgetVisit = std::function<void(const Boss* widget, const Rect& rect, bool selected)>;
void WalkWidgets(const Boss* root, int originX, int originY, const WidgetVisit& visit);
// The origin that puts a group's panel widget at its content rectangle.
void PanelOrigin(const GroupPlace& group, int* x, int* y);

// The host widget class the widget's class is or derives from; 0 for none.
ClassID HostKind(const Boss* widget);

// A panel's name as its tab shows it: translated, without mnemonic marks.
std::string TabLabel(const std::string& name);

} // namespace host::live
