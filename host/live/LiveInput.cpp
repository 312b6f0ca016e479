// A person's mouse and keys on the live windows: what is under the pointer
// comes from the hit test of the screen's layout (paint/HitTest.h), and what
// the person did is carried out as the user action the command that does the
// same takes (ui/UserAction.h), so a click sends the host exactly what the
// command sends.
#include "live/LiveApp.h"

#include "core/Text.h"
#include "gdi/GdiPainter.h"
#include "paint/HitTest.h"
#include "ui/ActionManager.h"
#include "ui/DialogManager.h"
#include "ui/IconButton.h"
#include "ui/ListBox.h"
#include "ui/PluginPanels.h"
#include "ui/Widgets.h"
#include "world/World.h"

#include <windowsx.h>

#include <algorithm>
#include <memory>
#include <optional>

namespace host::live {

namespace {

using Drag = InputState::Drag;

// The panel the keys go to: the one last clicked, while it is shown.
Boss* KeyPanel(App& app) {
    if (!app.input.keyPanel)
        return nullptr;
    ui::PluginPanels& panels = app.session.GetHost().Get<ui::PluginPanels>();
    return panels.IsShown(app.input.keyPanel) ? panels.PanelWidget(app.input.keyPanel) : nullptr;
}

// A click or a drag on a palette brings it in front of the other palettes;
// the document keeps the activation.
void Raise(PaletteWindow& window) {
    window.app.Act(ui::UserAction::Raise(window.Name()));
    SetWindowPos(window.Handle(), HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

// A tip, as Windows shows one: a small window by the pointer, painted by the
// host, that never takes the activation.
class TipWindow final : public Window {
public:
    TipWindow(App& a, std::string text, POINT pointer) : Window(a), fText(std::move(text)) {
        const auto measure = paint::NewScreenTextMeasure();
        const int width = static_cast<int>(measure->TextWidth(fText, paint::kWidgetFont)) + 10;
        const RECT frame{pointer.x, pointer.y + 20, pointer.x + width, pointer.y + 20 + 18};
        Make(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_TOPMOST, fText, WS_POPUP | WS_BORDER,
             frame, app.Document());
        ShowWindow(Handle(), SW_SHOWNOACTIVATE);
        RECT shown;
        GetWindowRect(Handle(), &shown);
        PrintPlace(app, "tip", fText, shown);
    }
    ~TipWindow() override {
        if (Handle())
            DestroyWindow(Handle());
    }

protected:
    void Paint(HDC dc, const RECT& /*dirty*/) override {
        RECT client;
        GetClientRect(Handle(), &client);
        paint::WindowArea area;
        area.width = client.right;
        area.height = client.bottom;
        gdi::PaintWindow(dc, area, [&](paint::Painter& painter) {
            const paint::Rect box{0, 0, double(area.width), double(area.height)};
            painter.Fill(box, paint::ToColor({0xff, 0xff, 0xe1}));
            painter.Text(fText, 4, 0, box.height, paint::kWidgetFont,
                         paint::ToColor({0x1e, 0x1e, 0x1e}));
        });
    }
    LRESULT Other(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_MOUSEACTIVATE)
            return MA_NOACTIVATE;
        return Window::Other(message, wParam, lParam);
    }

private:
    std::string fText;
};

// A tip shows after the pointer rests on a button this long.
constexpr UINT_PTR kTipTimerID = 3;
constexpr UINT kTipDelay = 500;

void HideTip(App& app) {
    if (app.input.hovering)
        KillTimer(app.input.hovering->Handle(), kTipTimerID);
    app.input.tip.reset();
}

// The pointer on `button` (or on none) of the window.
void HoverOn(PaletteWindow& window, const Boss* button) {
    App& app = window.app;
    InputState& in = app.input;
    if (button == in.hovered && (!button || in.hovering == &window))
        return;
    HideTip(app);
    in.hovered = button;
    in.hovering = button ? &window : nullptr;
    app.Act(ui::UserAction::Hover(const_cast<Boss*>(button)));
    if (button) {
        // Told when the pointer leaves the window, to take the hover away.
        TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE, window.Handle(), 0};
        TrackMouseEvent(&track);
        SetTimer(window.Handle(), kTipTimerID, kTipDelay, nullptr);
    }
}

void ShowTip(PaletteWindow& window) {
    App& app = window.app;
    KillTimer(window.Handle(), kTipTimerID); // once
    if (!app.input.hovered || app.input.hovering != &window)
        return;
    const auto text = ui::TipOf(app.session.GetHost(), app.input.hovered);
    if (!text)
        return;
    POINT pointer;
    GetCursorPos(&pointer);
    app.input.tip = std::make_unique<TipWindow>(app, *text, pointer);
}

void ReleaseHeld(App& app) {
    if (Boss* held = std::exchange(app.input.held, nullptr))
        held->Release();
    app.input.holding = nullptr;
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

// At a point of the window (x, y): the palette comes to the front, the
// control there takes the focus, and the click does what it does there.
void ButtonDown(PaletteWindow& window, int x, int y, WPARAM keys) {
    App& app = window.app;
    HideTip(app);
    Raise(window);
    paint::Point at;
    const auto hit = HitIn(window, x, y, &at);
    if (!hit)
        return;
    using Part = paint::Hit::Part;
    if (hit->panel)
        app.input.keyPanel = hit->panelID;
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
        app.Act(ui::UserAction::Focus(const_cast<Boss*>(hit->list)));
        SelectRow(app, *hit, keys);
        return;
    case Part::kScrollBar:
        if (const auto thumb = paint::GrabThumb(app.Look(), at)) {
            app.input.thumb = *thumb;
            BeginDrag(window, Drag::kThumb, x, y);
            return;
        }
        // The track above or below the thumb pages.
        for (const ui::UserAction& action : paint::PressActions(app.Look(), at))
            if (action.kind != ui::UserAction::Kind::kRaise)
                app.Act(action);
        return;
    case Part::kButton: {
        // Held down until released: over the button it acts, moved off it does not.
        Boss* button = const_cast<Boss*>(hit->widget);
        app.Act(ui::UserAction::Focus(button));
        button->AddRef();
        ReleaseHeld(app);
        app.input.held = button;
        app.input.holding = &window;
        app.Act(ui::UserAction::ButtonDown(button));
        app.input.drag = Drag::kButton;
        SetCapture(window.Handle());
        return;
    }
    default:
        for (const ui::UserAction& action : paint::PressActions(app.Look(), at))
            if (action.kind != ui::UserAction::Kind::kRaise)
                app.Act(action);
        return;
    }
}

// Whether a point of the window is on the held button.
bool OverHeld(PaletteWindow& window, int x, int y) {
    paint::Point at;
    const auto hit = HitIn(window, x, y, &at);
    return hit && hit->part == paint::Hit::Part::kButton && hit->widget == window.app.input.held;
}

// The pointer moved with the button held: it looks pressed while over it.
void ButtonDrag(PaletteWindow& window, int x, int y) {
    App& app = window.app;
    Boss* held = app.input.held;
    if (!held || app.input.holding != &window)
        return;
    // Most moves change nothing: only a crossing of the button's edge is acted on.
    const bool over = OverHeld(window, x, y);
    if (const ui::WidgetRecord* record = ui::RecordOf(held); record && record->pressed != over)
        app.Act(ui::UserAction::ButtonDrag(held, over));
}

// The held button is let go at a point of the window.
void ButtonUp(PaletteWindow& window, int x, int y) {
    App& app = window.app;
    Boss* held = app.input.held;
    if (!held)
        return;
    held->AddRef();
    const bool over = OverHeld(window, x, y);
    // Let go first: giving the capture back tells WM_CAPTURECHANGED, which
    // would take it for a press lost.
    ReleaseHeld(app);
    ReleaseCapture(); // ends the drag
    app.Act(ui::UserAction::ButtonUp(held, over));
    held->Release();
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
    if (in.drag == Drag::kTitle) {
        app.Act(ui::UserAction::Place(in.dragged->Name(), at.x - in.grab.x, at.y - in.grab.y));
    } else if (in.drag == Drag::kThumb) {
        const paint::Point to{static_cast<double>(at.x), static_cast<double>(at.y)};
        if (const auto action = paint::DragThumb(app.Look(), in.thumb, to))
            app.Act(*action);
    } else if (in.drag == Drag::kSizeBox && in.panel) {
        app.Act(ui::UserAction::Resize(
            in.panel, static_cast<int32>(std::max(0L, in.width + at.x - in.start.x)),
            static_cast<int32>(std::max(0L, in.height + at.y - in.start.y))));
    }
}

// A key as the host's widgets take it; nothing for keys they do not know
// (a character key arrives again as WM_CHAR, and is taken then).
std::optional<ui::Key> KeyOf(UINT message, WPARAM wParam) {
    ui::Key key;
    key.shift = GetKeyState(VK_SHIFT) < 0;
    key.ctrl = GetKeyState(VK_CONTROL) < 0;
    using Code = ui::Key::Code;
    if (message == WM_CHAR) {
        if (key.ctrl || wParam <= L' ' || wParam >= 0x7f)
            return std::nullopt;
        key.code = Code::kText;
        key.text = std::string(1, static_cast<char>(wParam));
        return key;
    }
    if (message != WM_KEYDOWN)
        return std::nullopt;
    static const std::pair<WPARAM, Code> kNamed[] = {
        {VK_LEFT, Code::kLeft},      {VK_RIGHT, Code::kRight},   {VK_UP, Code::kUp},
        {VK_DOWN, Code::kDown},      {VK_HOME, Code::kHome},     {VK_END, Code::kEnd},
        {VK_PRIOR, Code::kPageUp},   {VK_NEXT, Code::kPageDown}, {VK_TAB, Code::kTab},
        {VK_RETURN, Code::kEnter},   {VK_ESCAPE, Code::kEscape}, {VK_SPACE, Code::kSpace},
        {VK_BACK, Code::kBackspace}, {VK_DELETE, Code::kDelete}};
    for (const auto& [vk, code] : kNamed)
        if (wParam == vk) {
            key.code = code;
            return key;
        }
    if (key.ctrl && wParam >= 'A' && wParam <= 'Z') {
        key.code = Code::kText;
        key.text = std::string(1, static_cast<char>('a' + (wParam - 'A')));
        return key;
    }
    return std::nullopt;
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

void Forget(App& app, const PaletteWindow& window) {
    if (app.input.hovering == &window) {
        HideTip(app);
        app.input.hovered = nullptr;
        app.input.hovering = nullptr;
    }
    if (app.input.holding == &window)
        ReleaseHeld(app);
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
        if (in.drag == Drag::kTitle || in.drag == Drag::kSizeBox || in.drag == Drag::kThumb) {
            if (in.dragged)
                PointerMoved(app);
        } else if (in.drag == Drag::kButton) {
            ButtonDrag(window, x, y);
        } else if (in.drag == Drag::kNone) {
            paint::Point at;
            const auto hit = HitIn(window, x, y, &at);
            HoverOn(window, hit && hit->part == paint::Hit::Part::kButton ? hit->widget : nullptr);
        }
        return true;
    case WM_MOUSELEAVE:
        HoverOn(window, nullptr);
        return true;
    case WM_LBUTTONUP:
        if (in.drag == Drag::kButton)
            ButtonUp(window, x, y);
        else if (in.drag != Drag::kNone)
            ReleaseCapture();
        return true;
    case WM_CAPTURECHANGED:
        KillTimer(window.Handle(), kDragTimerID);
        if (in.drag == Drag::kButton && in.held) {
            // The press is lost (another window took the mouse): cancelled.
            Boss* held = in.held;
            held->AddRef();
            ReleaseHeld(app);
            app.Act(ui::UserAction::ButtonUp(held, false));
            held->Release();
        }
        in.drag = Drag::kNone;
        in.dragged = nullptr;
        in.panel = nullptr;
        return true;
    case WM_TIMER:
        if (keys == kTipTimerID) {
            ShowTip(window);
            return true;
        }
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
    if (app.Dialog() || app.Busy())
        return false;
    Boss* panel = KeyPanel(app);
    const auto key = panel ? KeyOf(message, wParam) : std::nullopt;
    if (!key)
        return false;
    HideTip(app);
    app.Act(ui::UserAction::KeyPress(panel, *key));
    return true;
}

bool WheelInput(App& app, WPARAM wParam, LPARAM lParam) {
    if (app.Busy())
        return false;
    // Three rows a notch, as Windows scrolls by default.
    const int notches = GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA;
    const paint::Point at{static_cast<double>(GET_X_LPARAM(lParam)),
                          static_cast<double>(GET_Y_LPARAM(lParam))};
    if (notches == 0)
        return true;
    if (const auto action = paint::WheelAt(app.Look(), at, -3 * notches))
        app.Act(*action);
    return true;
}

} // namespace host::live
