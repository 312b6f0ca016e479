// A person's mouse and keys on the live windows: what is under the pointer
// comes from the hit test of the screen's layout (paint/HitTest.h), and what
// the person did is carried out as the user action the command that does the
// same takes (ui/UserAction.h), so a click sends the host exactly what the
// command sends.
#include "live/LiveApp.h"

#include "core/Text.h"
#include "paint/HitTest.h"
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

void EndEditing(App& app) {
    if (app.input.editing)
        InvalidateRect(app.input.editing->Handle(), nullptr, FALSE);
    app.input.editing = nullptr;
    app.input.field = nullptr;
    app.input.text.clear();
}

// Under Wine without a window manager, moves of the pointer past the
// window's edge reach no window of ours; the drag also follows the pointer
// by the clock while it lasts, so a size box dragged fast keeps up.
constexpr UINT_PTR kDragTimerID = 2;
constexpr UINT kDragTimerPeriod = 15;

void BeginDrag(PaletteWindow& window, Drag kind, int x, int y) {
    InputState& in = window.app.input;
    in.drag = kind;
    in.dragged = &window;
    in.grab = {x, y};
    in.last = {-1, -1};
    GetCursorPos(&in.start);
    SetCapture(window.Handle());
    SetTimer(window.Handle(), kDragTimerID, kDragTimerPeriod, nullptr);
}

// A click on a row: alone, or with Ctrl added or taken away, or with Shift
// the range from the last row clicked.
void SelectRow(App& app, const paint::Hit& hit, WPARAM keys) {
    Boss* list = const_cast<Boss*>(hit.list);
    std::set<int32> rows = ui::ListSelected(list);
    int& anchor = app.input.anchor;
    const int row = hit.row;
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
    app.Act(ui::UserAction::Select(list, rows));
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

// The front panel's menu as a popup below the menu button; the session takes
// no command while it waits.
void OpenMenu(App& app, const paint::Hit& hit) {
    const auto key = ui::MenuNameOf(hit.panel);
    if (!key)
        return;
    std::vector<ui::MenuItem> items;
    try {
        items = app.session.GetHost().Get<ui::ActionManager>().ShowMenu(*key);
    } catch (const ui::ActionError&) {
        return;
    }
    std::vector<std::vector<std::string>> entries;
    const HMENU menu = BuildMenu(items, {}, &entries);
    const POINT at{static_cast<LONG>(hit.area.x), static_cast<LONG>(hit.area.Bottom())};
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
    if (chosen > 0 && chosen <= entries.size())
        app.Act(ui::UserAction::ChooseMenu(const_cast<Boss*>(hit.panel), entries[chosen - 1]));
}

// The hit at a point of the window, when it is this window's.
std::optional<paint::Hit> HitIn(PaletteWindow& window, int x, int y, paint::Point* at) {
    const auto look = window.app.LookOf(window);
    if (!look)
        return std::nullopt;
    *at = {static_cast<double>(look->area.left + x), static_cast<double>(look->area.top + y)};
    paint::Hit hit = paint::HitTest(window.app.Look(), *at);
    // The window system's stacking decides which window a click reaches.
    if (hit.palette != window.Name())
        return std::nullopt;
    return hit;
}

// At a point of the window (x, y).
void ButtonDown(PaletteWindow& window, int x, int y, WPARAM keys) {
    App& app = window.app;
    paint::Point at;
    const auto hit = HitIn(window, x, y, &at);
    if (!hit)
        return;
    using Part = paint::Hit::Part;
    if (hit->part == Part::kField) {
        EndEditing(app);
        app.input.editing = &window;
        app.input.field = hit->widget;
        InvalidateRect(window.Handle(), nullptr, FALSE);
        return;
    }
    EndEditing(app);
    switch (hit->part) {
    case Part::kMenuButton:
        OpenMenu(app, *hit);
        return;
    case Part::kTitle:
        BeginDrag(window, Drag::kTitle, x, y);
        return;
    case Part::kSizeBox: {
        const IControlView* view = ui::ViewOf(hit->panel);
        if (!view)
            return;
        app.input.panel = const_cast<Boss*>(hit->panel);
        app.input.width = static_cast<int>(view->GetFrame().Width());
        app.input.height = static_cast<int>(view->GetFrame().Height());
        BeginDrag(window, Drag::kSizeBox, x, y);
        return;
    }
    case Part::kRow:
        SelectRow(app, *hit, keys);
        return;
    default:
        if (const auto action = paint::ActionAt(app.Look(), at))
            app.Act(*action);
        return;
    }
}

// A second click soon after the first: on a row a double-click, elsewhere
// one more click (two quick presses of On/Off switch twice).
void DoubleClick(PaletteWindow& window, int x, int y, WPARAM keys) {
    paint::Point at;
    const auto hit = HitIn(window, x, y, &at);
    if (hit && hit->part == paint::Hit::Part::kRow) {
        if (const auto action = paint::DoubleClickAt(window.app.Look(), at))
            window.app.Act(*action);
        return;
    }
    ButtonDown(window, x, y, keys);
}

void PointerMoved(App& app) {
    InputState& in = app.input;
    POINT at;
    GetCursorPos(&at);
    if (at.x == in.last.x && at.y == in.last.y)
        return;
    in.last = at;
    if (in.drag == Drag::kTitle)
        app.Act(ui::UserAction::Place(in.dragged->Name(), at.x - in.grab.x, at.y - in.grab.y));
    else if (in.drag == Drag::kSizeBox && in.panel)
        app.Act(ui::UserAction::Resize(
            in.panel, static_cast<int32>(std::max(0L, in.width + at.x - in.start.x)),
            static_cast<int32>(std::max(0L, in.height + at.y - in.start.y))));
}

void Typed(App& app, wchar_t c) {
    PaletteWindow* window = app.input.editing;
    if (!window)
        return;
    std::string& text = app.input.text;
    if (c == L'\r') {
        const std::string typed = text;
        Boss* field = const_cast<Boss*>(app.input.field);
        EndEditing(app);
        if (!typed.empty() && field)
            app.Act(ui::UserAction::Type(field, typed));
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

const Boss* EditedField(const App& app) {
    return app.input.field;
}

const std::string* FieldEditText(const App& app, const PaletteWindow& window) {
    return app.input.editing == &window ? &app.input.text : nullptr;
}

void Forget(App& app, const PaletteWindow& window) {
    if (app.input.editing == &window) {
        app.input.editing = nullptr;
        app.input.field = nullptr;
        app.input.text.clear();
    }
    if (app.input.dragged == &window) {
        app.input.dragged = nullptr;
        app.input.panel = nullptr;
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
        in.panel = nullptr;
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
        app.Act(ui::UserAction::PressDialogButton(nullptr));
        return true;
    }
    if (message != WM_CHAR || app.Dialog() || app.Busy() || !app.input.editing)
        return false;
    Typed(app, static_cast<wchar_t>(wParam));
    return true;
}

} // namespace host::live
