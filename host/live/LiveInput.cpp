// A person's mouse and keys on the live windows, each turned into the
// command line that does the same (`select`, `type`, `press`, `place`, …),
// so that a click sends the host exactly the messages the command sends.
#include "live/LiveApp.h"
#include "live/LiveLayout.h"

#include "core/Text.h"
#include "ui/ActionManager.h"
#include "ui/DialogManager.h"
#include "ui/ListBox.h"
#include "ui/Widgets.h"
#include "world/World.h"

#include <windowsx.h>

#include <algorithm>

namespace host::live {

namespace {

enum class DragKind { kNone, kTitle, kSizeBox };

struct Drag {
    DragKind kind = DragKind::kNone;
    HWND window = nullptr;
    std::string palette;
    POINT grab{};  // the pointer in the window when the drag began
    POINT start{}; // on the screen
    int width = 0, height = 0;
    POINT last{-1, -1}; // the pointer when the drag last followed it
};

Drag gDrag;
HWND gEditWindow = nullptr;
std::string gEditText;
int gAnchor = -1; // the row a Shift-click ranges from
HMENU gOpenMenu = nullptr;

// A name as a command word.
std::string Quoted(const std::string& name) {
    return "\"" + name + "\"";
}

void Run(const std::string& line) {
    App::Get().RunLine(line, false);
}

void EndEditing() {
    if (gEditWindow)
        InvalidateRect(gEditWindow, nullptr, FALSE);
    gEditWindow = nullptr;
    gEditText.clear();
}

// Under Wine without a window manager, moves of the pointer past the
// window's edge reach no window of ours; the drag also follows the pointer
// by the clock, so a size box dragged fast keeps up.
constexpr UINT_PTR kDragTimerID = 2;
constexpr UINT kDragTimerPeriod = 15;

void BeginDrag(HWND window) {
    SetCapture(window);
    SetTimer(window, kDragTimerID, kDragTimerPeriod, nullptr);
}

void SelectRow(const OpalPlaces& opal, int row, WPARAM keys) {
    std::set<int32> rows = ui::ListSelected(opal.list);
    if (keys & MK_SHIFT && gAnchor >= 0) {
        rows.clear();
        for (int i = std::min(gAnchor, row); i <= std::max(gAnchor, row); ++i)
            rows.insert(i);
    } else if (keys & MK_CONTROL) {
        if (!rows.erase(row))
            rows.insert(row);
        gAnchor = row;
    } else {
        rows = {row};
        gAnchor = row;
    }
    std::string line = "select";
    for (int32 i : rows)
        line += " #" + std::to_string(i);
    Run(rows.empty() ? "select none" : line);
}

// The row at a point of the screen, -1 for none.
int RowAt(const OpalPlaces& opal, int x, int y) {
    for (size_t i = 0; i < opal.rows.size(); ++i)
        if (opal.rows[i].Contains(x, y))
            return static_cast<int>(i);
    return -1;
}

HMENU BuildMenu(const std::vector<ui::MenuItem>& items, const std::vector<std::string>& path,
                std::vector<std::vector<std::string>>* entries) {
    const HMENU menu = CreatePopupMenu();
    for (const ui::MenuItem& item : items) {
        const std::wstring text = UTF8ToWide(item.text);
        std::vector<std::string> here = path;
        here.push_back(item.text);
        if (item.kind == ui::MenuItem::kSeparator) {
            AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        } else if (item.kind == ui::MenuItem::kSubMenu) {
            const HMENU sub = BuildMenu(item.items, here, entries);
            AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), text.c_str());
        } else {
            entries->push_back(here);
            AppendMenuW(menu, MF_STRING | (item.enabled ? 0 : MF_GRAYED), entries->size(),
                        text.c_str());
        }
    }
    return menu;
}

// The front panel's menu as a popup below the menu button; what is chosen
// runs as `menu "ENTRY"…` does.
void OpenMenu(const paint::PaletteLook& look) {
    const auto opal = FindOpal(look);
    const ui::WidgetRecord* record = opal ? ui::RecordOf(opal->panel) : nullptr;
    if (!record || !record->menuNameKey)
        return;
    std::vector<ui::MenuItem> items;
    try {
        items = Host::Current().Get<ui::ActionManager>().ShowMenu(*record->menuNameKey);
    } catch (const ui::ActionError&) {
        return;
    }
    std::vector<std::vector<std::string>> entries;
    const HMENU menu = BuildMenu(items, {}, &entries);
    const paint::Rect button = paint::OnScreen(look.area, look.menu);
    const POINT at{static_cast<LONG>(button.x), static_cast<LONG>(button.Bottom())};
    // The document owns the popup: the palette stays inactive.
    const HWND owner = App::Get().Document();
    SetForegroundWindow(owner);
    App::Get().Enter();
    gOpenMenu = menu;
    const UINT chosen = static_cast<UINT>(
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON, at.x,
                       at.y, 0, owner, nullptr));
    gOpenMenu = nullptr;
    App::Get().Leave();
    DestroyMenu(menu);
    if (chosen == 0 || chosen > entries.size())
        return;
    std::string line = "menu";
    for (const std::string& word : entries[chosen - 1])
        line += " " + Quoted(word);
    Run(line);
}

// Once the popup shows, where its entries are: the session takes no
// command while it waits.
void PrintMenuPlaces() {
    const HMENU menu = std::exchange(gOpenMenu, nullptr);
    for (int i = 0; menu && i < GetMenuItemCount(menu); ++i) {
        wchar_t text[128] = {};
        RECT r;
        if (GetMenuStringW(menu, static_cast<UINT>(i), text, 128, MF_BYPOSITION) > 0 &&
            GetMenuItemRect(nullptr, menu, static_cast<UINT>(i), &r))
            PrintPlace("entry", WideToUTF8(text), r);
    }
}

bool OpalDown(HWND window, const OpalPlaces& opal, int x, int y, WPARAM keys) {
    if (opal.field.Contains(x, y)) {
        gEditWindow = window;
        gEditText.clear();
        InvalidateRect(window, nullptr, FALSE);
        return true;
    }
    EndEditing();
    if (const int row = RowAt(opal, x, y); row >= 0)
        SelectRow(opal, row, keys);
    else if (opal.onOff.Contains(x, y))
        Run("press onoff");
    else if (opal.swap.Contains(x, y))
        Run("press swap");
    else if (opal.sizeBox.Contains(x, y)) {
        const IControlView* view = ui::ViewOf(opal.panel);
        gDrag = {DragKind::kSizeBox, window, "", {x, y}, {}, 0, 0};
        GetCursorPos(&gDrag.start);
        gDrag.width = static_cast<int>(view->GetFrame().Width());
        gDrag.height = static_cast<int>(view->GetFrame().Height());
        BeginDrag(window);
    } else
        return false;
    return true;
}

// At a point of the window (x, y), which is at `screen` on the screen.
void ButtonDown(HWND window, int x, int y, WPARAM keys) {
    const auto look = FindPalette(window);
    if (!look)
        return;
    if (look->menu.Contains(x, y)) {
        EndEditing();
        OpenMenu(*look);
        return;
    }
    if (look->title.Contains(x, y)) {
        EndEditing();
        gDrag = {DragKind::kTitle, window, look->area.name, {x, y}, {}, 0, 0};
        BeginDrag(window);
        return;
    }
    for (size_t g = 0; g < look->groups.size(); ++g)
        for (size_t t = 0; t < look->groups[g].tabs.size(); ++t)
            if (look->groups[g].tabs[t].area.Contains(x, y)) {
                EndEditing();
                const auto panel = Host::Current().Get<World>().FindPanel(TabPanel(*look, g, t));
                // `front` takes a panel's name; a name with a quote has no word.
                if (panel && panel->name.find('"') == std::string::npos)
                    Run("front " + Quoted(panel->name));
                return;
            }
    const int sx = look->area.left + x, sy = look->area.top + y;
    if (const auto opal = FindOpal(*look); opal && OpalDown(window, *opal, sx, sy, keys))
        return;
    EndEditing();
}

// A second click soon after the first: on a row a double-click, elsewhere
// one more click (two quick presses of On/Off switch twice).
void DoubleClick(HWND window, int x, int y, WPARAM keys) {
    const auto look = FindPalette(window);
    const auto opal = look ? FindOpal(*look) : std::nullopt;
    const int row = opal ? RowAt(*opal, look->area.left + x, look->area.top + y) : -1;
    if (row >= 0)
        Run("doubleclick #" + std::to_string(row));
    else
        ButtonDown(window, x, y, keys);
}

void PointerMoved() {
    POINT at;
    GetCursorPos(&at);
    if (at.x == gDrag.last.x && at.y == gDrag.last.y)
        return;
    gDrag.last = at;
    if (gDrag.kind == DragKind::kTitle && gDrag.palette.find('"') == std::string::npos)
        Run("place " + Quoted(gDrag.palette) + " " + std::to_string(at.x - gDrag.grab.x) + " " +
            std::to_string(at.y - gDrag.grab.y));
    else if (gDrag.kind == DragKind::kSizeBox)
        Run("resize " + std::to_string(std::max(0L, gDrag.width + at.x - gDrag.start.x)) + " " +
            std::to_string(std::max(0L, gDrag.height + at.y - gDrag.start.y)));
}

void Typed(wchar_t c) {
    const HWND window = gEditWindow;
    if (!window)
        return;
    if (c == L'\r') {
        const std::string text = gEditText;
        EndEditing();
        if (!text.empty() && text.find('"') == std::string::npos)
            Run("type " + Quoted(text));
    } else if (c == 27) {
        EndEditing();
    } else if (c == L'\b') {
        if (!gEditText.empty())
            gEditText.pop_back();
    } else if (c >= L' ' && c < 0x7f && gEditText.size() < 16) {
        gEditText += static_cast<char>(c);
    }
    InvalidateRect(window, nullptr, FALSE);
}

bool DialogInput(HWND window, UINT message, LPARAM lParam) {
    if (message != WM_LBUTTONUP)
        return false;
    RECT frame;
    GetWindowRect(window, &frame);
    const int x = frame.left + GET_X_LPARAM(lParam), y = frame.top + GET_Y_LPARAM(lParam);
    for (const paint::DialogLook& look : LayOutScreen().dialogs) {
        if (look.view.root != DialogOf(window))
            continue;
        for (const paint::WidgetPlace& place : paint::DialogPlaces(look))
            if (place.widget->Class() == kOKButtonWidgetBoss && place.box.Contains(x, y)) {
                Host::Current().Get<ui::DialogManager>().PressOK();
                return true;
            }
    }
    return false;
}

} // namespace

const std::string* FieldEditText(HWND window) {
    return window && window == gEditWindow ? &gEditText : nullptr;
}

bool PaletteInput(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (DialogOf(window))
        return DialogInput(window, message, lParam);
    if (App::Get().Busy())
        return false;
    const int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
    switch (message) {
    case WM_LBUTTONDOWN:
        ButtonDown(window, x, y, wParam);
        return true;
    case WM_LBUTTONDBLCLK:
        DoubleClick(window, x, y, wParam);
        return true;
    case WM_MOUSEMOVE:
        if (gDrag.kind != DragKind::kNone)
            PointerMoved();
        return true;
    case WM_LBUTTONUP:
        if (gDrag.kind != DragKind::kNone)
            ReleaseCapture();
        return true;
    case WM_CAPTURECHANGED:
        KillTimer(window, kDragTimerID);
        gDrag = {};
        return true;
    case WM_TIMER:
        if (wParam != kDragTimerID)
            return false;
        if (gDrag.kind != DragKind::kNone)
            PointerMoved();
        return true;
    case WM_CHAR:
        Typed(static_cast<wchar_t>(wParam));
        return true;
    default:
        return false;
    }
}

bool KeyInput(UINT message, WPARAM wParam, LPARAM /*lParam*/) {
    if (message == WM_ENTERIDLE && wParam == MSGF_MENU) {
        PrintMenuPlaces();
        return true;
    }
    const HWND dialog = OpenDialogWindowHandle();
    if (dialog && message == WM_KEYDOWN && (wParam == VK_RETURN || wParam == VK_ESCAPE)) {
        Host::Current().Get<ui::DialogManager>().PressOK();
        return true;
    }
    if (message != WM_CHAR || dialog || App::Get().Busy() || !gEditWindow)
        return false;
    Typed(static_cast<wchar_t>(wParam));
    return true;
}

} // namespace host::live
