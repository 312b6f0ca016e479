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
};

Drag gDrag;
HWND gEditWindow = nullptr;
std::string gEditText;
int gAnchor = -1; // the row a Shift-click ranges from
HMENU gOpenMenu = nullptr;

const TextWidth kWidth = [](const std::string& text) { return App::Get().TextWidth(text); };

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

int RowAt(const OpalPlaces& opal, int x, int y) {
    if (!opal.listRect.Contains(x, y))
        return -1;
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
void OpenMenu(HWND window, const PaletteLayout& layout) {
    const auto opal = FindOpal(layout);
    const ui::WidgetRecord* record = opal ? ui::RecordOf(opal->panel) : nullptr;
    if (!record || !record->menuNameKey)
        return;
    std::vector<ui::MenuItem> items;
    try {
        items = ui::ActionManager::Get().ShowMenu(*record->menuNameKey);
    } catch (const ui::ActionError&) {
        return;
    }
    std::vector<std::vector<std::string>> entries;
    const HMENU menu = BuildMenu(items, {}, &entries);
    POINT at{layout.menu.x, layout.menu.y + layout.menu.h};
    ClientToScreen(window, &at);
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
        SetCapture(window);
    } else
        return false;
    return true;
}

void ButtonDown(HWND window, int x, int y, WPARAM keys) {
    const auto layout = FindLayout(window, kWidth);
    if (!layout)
        return;
    if (layout->menu.Contains(x, y)) {
        EndEditing();
        OpenMenu(window, *layout);
        return;
    }
    if (layout->title.Contains(x, y)) {
        EndEditing();
        gDrag = {DragKind::kTitle, window, layout->name, {x, y}, {}, 0, 0};
        SetCapture(window);
        return;
    }
    for (const GroupPlace& group : layout->groups)
        for (const TabPlace& tab : group.tabs)
            if (tab.rect.Contains(x, y)) {
                EndEditing();
                Run("front " + std::to_string(tab.panelID));
                return;
            }
    if (const auto opal = FindOpal(*layout); opal && OpalDown(window, *opal, x, y, keys))
        return;
    EndEditing();
}

void DoubleClick(HWND window, int x, int y) {
    const auto layout = FindLayout(window, kWidth);
    const auto opal = layout ? FindOpal(*layout) : std::nullopt;
    if (const int row = opal ? RowAt(*opal, x, y) : -1; row >= 0)
        Run("doubleclick #" + std::to_string(row));
}

void PointerMoved() {
    POINT at;
    GetCursorPos(&at);
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
    bool ok = false;
    if (message == WM_LBUTTONUP) {
        Boss* dialog = DialogOf(window);
        const PMRect f = ui::ViewOf(dialog)->GetFrame();
        WalkWidgets(dialog, kBorder - static_cast<int>(f.Left()),
                    kBorder + kTitleHeight - static_cast<int>(f.Top()),
                    [&](const Boss* widget, const Rect& r, bool) {
                        ok |= widget->Class() == kOKButtonWidgetBoss &&
                              r.Contains(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
                    });
    }
    if (ok)
        ui::DialogManager::Get().PressOK();
    return ok;
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
        DoubleClick(window, x, y);
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
        gDrag = {};
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
        ui::DialogManager::Get().PressOK();
        return true;
    }
    if (message != WM_CHAR || dialog || App::Get().Busy() || !gEditWindow)
        return false;
    Typed(static_cast<wchar_t>(wParam));
    return true;
}

} // namespace host::live
