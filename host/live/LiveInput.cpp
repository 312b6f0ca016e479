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

using Drag = InputState::Drag;

// A name as a command word.
std::string Quoted(const std::string& name) {
    return "\"" + name + "\"";
}

void Run(App& app, const std::string& line) {
    app.RunLine(line, false);
}

void EndEditing(App& app) {
    if (app.input.editing)
        InvalidateRect(app.input.editing->Handle(), nullptr, FALSE);
    app.input.editing = nullptr;
    app.input.text.clear();
}

// Under Wine without a window manager, moves of the pointer past the
// window's edge reach no window of ours; the drag also follows the pointer
// by the clock while it lasts, so a size box dragged fast keeps up.
constexpr UINT_PTR kDragTimerID = 2;
constexpr UINT kDragTimerPeriod = 15;

void BeginDrag(PaletteWindow& window) {
    SetCapture(window.Handle());
    SetTimer(window.Handle(), kDragTimerID, kDragTimerPeriod, nullptr);
}

void SelectRow(App& app, const OpalPlaces& opal, int row, WPARAM keys) {
    std::set<int32> rows = ui::ListSelected(opal.list);
    int& anchor = app.input.anchor;
    if (keys & MK_SHIFT && anchor >= 0) {
        rows.clear();
        for (int i = std::min(anchor, row); i <= std::max(anchor, row); ++i)
            rows.insert(i);
    } else if (keys & MK_CONTROL) {
        if (!rows.erase(row))
            rows.insert(row);
        anchor = row;
    } else {
        rows = {row};
        anchor = row;
    }
    std::string line = "select";
    for (int32 i : rows)
        line += " #" + std::to_string(i);
    Run(app, rows.empty() ? "select none" : line);
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
// runs as `menu "ENTRY"…` does. The session takes no command while it waits.
void OpenMenu(App& app, const paint::PaletteLook& look) {
    const auto opal = FindOpal(look);
    const ui::WidgetRecord* record = opal ? ui::RecordOf(opal->panel) : nullptr;
    if (!record || !record->menuNameKey)
        return;
    std::vector<ui::MenuItem> items;
    try {
        items = app.session.GetHost().Get<ui::ActionManager>().ShowMenu(*record->menuNameKey);
    } catch (const ui::ActionError&) {
        return;
    }
    std::vector<std::vector<std::string>> entries;
    const HMENU menu = BuildMenu(items, {}, &entries);
    const paint::Rect button = paint::OnScreen(look.area, look.menu);
    const POINT at{static_cast<LONG>(button.x), static_cast<LONG>(button.Bottom())};
    // The document owns the popup: the palette stays inactive.
    const HWND owner = app.Document();
    SetForegroundWindow(owner);
    app.input.openMenu = menu;
    UINT chosen = 0;
    app.RunModal([&] {
        chosen = static_cast<UINT>(
            TrackPopupMenu(menu, TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON,
                           at.x, at.y, 0, owner, nullptr));
        return true;
    });
    app.input.openMenu = nullptr;
    DestroyMenu(menu);
    if (chosen == 0 || chosen > entries.size())
        return;
    std::string line = "menu";
    for (const std::string& word : entries[chosen - 1])
        line += " " + Quoted(word);
    Run(app, line);
}

bool OpalDown(PaletteWindow& window, const OpalPlaces& opal, int x, int y, WPARAM keys) {
    App& app = window.app;
    if (opal.field.Contains(x, y)) {
        EndEditing(app);
        app.input.editing = &window;
        InvalidateRect(window.Handle(), nullptr, FALSE);
        return true;
    }
    EndEditing(app);
    if (const int row = RowAt(opal, x, y); row >= 0)
        SelectRow(app, opal, row, keys);
    else if (opal.onOff.Contains(x, y))
        Run(app, "press onoff");
    else if (opal.swap.Contains(x, y))
        Run(app, "press swap");
    else if (opal.sizeBox.Contains(x, y)) {
        const IControlView* view = ui::ViewOf(opal.panel);
        InputState& in = app.input;
        in.drag = Drag::kSizeBox;
        in.dragged = &window;
        in.grab = {x, y};
        in.last = {-1, -1};
        GetCursorPos(&in.start);
        in.width = static_cast<int>(view->GetFrame().Width());
        in.height = static_cast<int>(view->GetFrame().Height());
        BeginDrag(window);
    } else
        return false;
    return true;
}

// At a point of the window (x, y).
void ButtonDown(PaletteWindow& window, int x, int y, WPARAM keys) {
    App& app = window.app;
    const auto look = app.LookOf(window);
    if (!look)
        return;
    if (look->menu.Contains(x, y)) {
        EndEditing(app);
        OpenMenu(app, *look);
        return;
    }
    if (look->title.Contains(x, y)) {
        EndEditing(app);
        InputState& in = app.input;
        in.drag = Drag::kTitle;
        in.dragged = &window;
        in.grab = {x, y};
        in.last = {-1, -1};
        BeginDrag(window);
        return;
    }
    for (size_t g = 0; g < look->groups.size(); ++g)
        for (size_t t = 0; t < look->groups[g].tabs.size(); ++t)
            if (look->groups[g].tabs[t].area.Contains(x, y)) {
                EndEditing(app);
                const auto panel =
                    app.session.GetHost().Get<World>().FindPanel(TabPanel(*look, g, t));
                // `front` takes a panel's name; a name with a quote has no word.
                if (panel && panel->name.find('"') == std::string::npos)
                    Run(app, "front " + Quoted(panel->name));
                return;
            }
    const int sx = look->area.left + x, sy = look->area.top + y;
    if (const auto opal = FindOpal(*look); opal && OpalDown(window, *opal, sx, sy, keys))
        return;
    EndEditing(app);
}

// A second click soon after the first: on a row a double-click, elsewhere
// one more click (two quick presses of On/Off switch twice).
void DoubleClick(PaletteWindow& window, int x, int y, WPARAM keys) {
    const auto look = window.app.LookOf(window);
    const auto opal = look ? FindOpal(*look) : std::nullopt;
    const int row = opal ? RowAt(*opal, look->area.left + x, look->area.top + y) : -1;
    if (row >= 0)
        Run(window.app, "doubleclick #" + std::to_string(row));
    else
        ButtonDown(window, x, y, keys);
}

void PointerMoved(App& app) {
    InputState& in = app.input;
    POINT at;
    GetCursorPos(&at);
    if (at.x == in.last.x && at.y == in.last.y)
        return;
    in.last = at;
    const std::string& name = in.dragged->Name();
    if (in.drag == Drag::kTitle && name.find('"') == std::string::npos)
        Run(app, "place " + Quoted(name) + " " + std::to_string(at.x - in.grab.x) + " " +
                     std::to_string(at.y - in.grab.y));
    else if (in.drag == Drag::kSizeBox)
        Run(app, "resize " + std::to_string(std::max(0L, in.width + at.x - in.start.x)) + " " +
                     std::to_string(std::max(0L, in.height + at.y - in.start.y)));
}

void Typed(App& app, wchar_t c) {
    PaletteWindow* window = app.input.editing;
    if (!window)
        return;
    std::string& text = app.input.text;
    if (c == L'\r') {
        const std::string typed = text;
        EndEditing(app);
        if (!typed.empty() && typed.find('"') == std::string::npos)
            Run(app, "type " + Quoted(typed));
        return;
    }
    if (c == 27) {
        EndEditing(app);
        return;
    }
    if (c == L'\b') {
        if (!text.empty())
            text.pop_back();
    } else if (c >= L' ' && c < 0x7f && text.size() < 16) {
        text += static_cast<char>(c);
    }
    InvalidateRect(window->Handle(), nullptr, FALSE);
}

} // namespace

void PrintMenuPlaces(App& app) {
    const HMENU menu = std::exchange(app.input.openMenu, nullptr);
    for (int i = 0; menu && i < GetMenuItemCount(menu); ++i) {
        wchar_t text[128] = {};
        RECT r;
        if (GetMenuStringW(menu, static_cast<UINT>(i), text, 128, MF_BYPOSITION) > 0 &&
            GetMenuItemRect(nullptr, menu, static_cast<UINT>(i), &r))
            PrintPlace(app, "entry", WideToUTF8(text), r);
    }
}

const std::string* FieldEditText(const App& app, const PaletteWindow& window) {
    return app.input.editing == &window ? &app.input.text : nullptr;
}

void Forget(App& app, const PaletteWindow& window) {
    if (app.input.editing == &window) {
        app.input.editing = nullptr;
        app.input.text.clear();
    }
    if (app.input.dragged == &window) {
        app.input.dragged = nullptr;
        app.input.drag = Drag::kNone;
    }
}

bool PaletteInput(PaletteWindow& window, UINT message, int x, int y, WPARAM keys) {
    App& app = window.app;
    InputState& in = app.input;
    if (app.Busy() && message != WM_CAPTURECHANGED)
        return false;
    switch (message) {
    case WM_LBUTTONDOWN:
        ButtonDown(window, x, y, keys);
        return true;
    case WM_LBUTTONDBLCLK:
        DoubleClick(window, x, y, keys);
        return true;
    case WM_MOUSEMOVE:
        if (in.drag != Drag::kNone && in.dragged)
            PointerMoved(app);
        return true;
    case WM_LBUTTONUP:
        if (in.drag != Drag::kNone)
            ReleaseCapture();
        return true;
    case WM_CAPTURECHANGED:
        KillTimer(window.Handle(), kDragTimerID);
        in.drag = Drag::kNone;
        in.dragged = nullptr;
        return true;
    case WM_TIMER:
        if (keys != kDragTimerID)
            return false;
        if (in.drag != Drag::kNone && in.dragged)
            PointerMoved(app);
        return true;
    default:
        return false;
    }
}

bool KeyInput(App& app, UINT message, WPARAM wParam) {
    if (app.Dialog() && message == WM_KEYDOWN && (wParam == VK_RETURN || wParam == VK_ESCAPE)) {
        app.session.GetHost().Get<ui::DialogManager>().PressOK();
        return true;
    }
    if (message != WM_CHAR || app.Dialog() || app.Busy() || !app.input.editing)
        return false;
    Typed(app, static_cast<wchar_t>(wParam));
    return true;
}

} // namespace host::live
