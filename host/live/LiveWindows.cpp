// The live windows: one window class and procedure for all of them, the
// document window with its menus, the world's palettes made as live windows
// from the start, and the window of the host's open dialog.
#include "live/LiveApp.h"

#include "IWidgets.h"
#include "core/Text.h"
#include "paint/Drawing.h"
#include "paint/HitTest.h"
#include "ui/DialogManager.h"
#include "ui/Widgets.h"
#include "world/World.h"

#include <windowsx.h>

#include <algorithm>
#include <iostream>

namespace host::live {

namespace {

constexpr wchar_t kWindowClass[] = L"OpalHostLive";
constexpr int kDocumentWidth = 960, kDocumentHeight = 640;
// The menus' command IDs: File's Quit, then one per panel of the Window menu.
constexpr UINT kQuitID = 1, kFirstPanelID = 100;

RECT AreaRect(const paint::WindowArea& a) {
    return {a.left, a.top, a.left + a.width, a.top + a.height};
}

RECT ScreenRect(const paint::Rect& r) {
    return {static_cast<LONG>(r.x), static_cast<LONG>(r.y), static_cast<LONG>(r.Right()),
            static_cast<LONG>(r.Bottom())};
}

// The messages of a palette's life a trace shows.
std::string Described(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        return "WM_CREATE";
    case WM_SHOWWINDOW:
        return wParam ? "WM_SHOWWINDOW shown" : "WM_SHOWWINDOW hidden";
    case WM_WINDOWPOSCHANGED: {
        const auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
        std::string text = "WM_WINDOWPOSCHANGED";
        if (!(pos->flags & SWP_NOMOVE))
            text += " at " + std::to_string(pos->x) + " " + std::to_string(pos->y);
        if (!(pos->flags & SWP_NOSIZE))
            text += " size " + std::to_string(pos->cx) + " " + std::to_string(pos->cy);
        if (pos->flags & SWP_SHOWWINDOW)
            text += " show";
        if (pos->flags & SWP_HIDEWINDOW)
            text += " hide";
        return text;
    }
    case WM_ACTIVATE:
        return "WM_ACTIVATE";
    case WM_PAINT:
        return "WM_PAINT";
    case WM_LBUTTONDOWN:
        return "WM_LBUTTONDOWN";
    case WM_LBUTTONUP:
        return "WM_LBUTTONUP";
    case WM_CLOSE:
        return "WM_CLOSE";
    case WM_NCDESTROY:
        return "WM_NCDESTROY";
    default:
        return {};
    }
}

} // namespace

bool Tracing() {
    static const bool tracing = GetEnvironmentVariableW(L"OPAL_LIVE_TRACE", nullptr, 0) > 0;
    return tracing;
}

void Trace(const std::string& line) {
    std::cerr << "trace: " << line << "\n" << std::flush;
}

// ---- Window ---------------------------------------------------------------------------

Window::~Window() {
    if (fHandle)
        DestroyWindow(fHandle);
}

Window* Window::From(HWND window) {
    if (!window)
        return nullptr;
    WNDPROC procedure = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC));
    if (procedure != &Window::Procedure)
        return nullptr;
    return reinterpret_cast<Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

HWND Window::Make(DWORD exStyle, const std::string& title, DWORD style, const RECT& frame,
                  HWND owner) {
    static const bool registered = [] {
        WNDCLASSW windowClass{};
        windowClass.style = CS_DBLCLKS;
        windowClass.lpfnWndProc = &Window::Procedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
        windowClass.lpszClassName = kWindowClass;
        return RegisterClassW(&windowClass) != 0;
    }();
    (void)registered;
    fPutting = true;
    CreateWindowExW(exStyle, kWindowClass, UTF8ToWide(title).c_str(), style, frame.left, frame.top,
                    frame.right - frame.left, frame.bottom - frame.top, owner, nullptr,
                    GetModuleHandleW(nullptr), this);
    fPutting = false;
    return fHandle;
}

void Window::Put(int x, int y, int width, int height, UINT flags) {
    fPutting = true;
    SetWindowPos(fHandle, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE | flags);
    fPutting = false;
}

LRESULT CALLBACK Window::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->fHandle = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self)
        return DefWindowProcW(window, message, wParam, lParam);
    if (Tracing())
        if (const std::string name = self->TraceName(); !name.empty())
            if (const std::string text = Described(message, wParam, lParam); !text.empty())
                Trace(name + " " + text);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->fHandle = nullptr;
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return self->Handle(message, wParam, lParam);
}

LRESULT Window::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        const HDC dc = BeginPaint(fHandle, &paint);
        Paint(dc, paint.rcPaint);
        EndPaint(fHandle, &paint);
        return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_MOUSEMOVE:
        if (Mouse(message, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), wParam))
            return 0;
        break;
    case WM_KEYDOWN:
    case WM_CHAR:
        if (Key(message, wParam))
            return 0;
        break;
    case WM_CLOSE:
        Close();
        return 0;
    case WM_SYSCOMMAND:
        if ((wParam & 0xfff0) == SC_CLOSE) {
            Close();
            return 0;
        }
        break;
    case WM_WINDOWPOSCHANGED: {
        const auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
        if (!fPutting && !(pos->flags & SWP_NOMOVE && pos->flags & SWP_NOSIZE)) {
            RECT frame;
            GetWindowRect(fHandle, &frame);
            Moved(frame);
        }
        break;
    }
    default:
        break;
    }
    return Other(message, wParam, lParam);
}

LRESULT Window::Other(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(fHandle, message, wParam, lParam);
}

// ---- The document ---------------------------------------------------------------------

DocumentWindow::DocumentWindow(App& a) : Window(a) {
    const HMENU bar = CreateMenu();
    const HMENU file = CreatePopupMenu();
    AppendMenuW(file, MF_STRING, kQuitID, L"Quit");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"File");
    fWindowMenu = CreatePopupMenu();
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(fWindowMenu), L"Window");
    RECT frame{0, 0, kDocumentWidth, kDocumentHeight};
    AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, TRUE);
    OffsetRect(&frame, -frame.left, -frame.top);
    Make(0, "Opal - The Quiet Panel", WS_OVERLAPPEDWINDOW, frame, nullptr);
    SetMenu(Handle(), bar);
    ShowWindow(Handle(), SW_SHOWNORMAL);
}

void DocumentWindow::Paint(HDC dc, const RECT& /*dirty*/) {
    RECT area;
    GetClientRect(Handle(), &area);
    PaintDocument(dc, area);
}

bool DocumentWindow::Key(UINT message, WPARAM wParam) {
    // Palettes never take the focus from the document: its keys go to the
    // open dialog, or to the control with the focus in the panel last clicked.
    return KeyInput(app, message, wParam);
}

// The Window menu, built as it opens: one entry per panel, checked when shown.
void DocumentWindow::FillWindowMenu(HMENU menu) {
    while (GetMenuItemCount(menu) > 0)
        DeleteMenu(menu, 0, MF_BYPOSITION);
    fPanels.clear();
    const World& world = app.session.GetHost().Get<World>();
    for (const PanelInfo& panel : world.Panels()) {
        if (panel.palette.empty())
            continue;
        const auto palette = world.FindPalette(panel.palette);
        const bool shown = palette && palette->shown && panel.front;
        fPanels.push_back(panel.name);
        AppendMenuW(menu, MF_STRING | (shown ? MF_CHECKED : 0), kFirstPanelID + fPanels.size() - 1,
                    UTF8ToWide(panel.name).c_str());
    }
    if (fPanels.empty())
        AppendMenuW(menu, MF_STRING | MF_GRAYED, 0, L"(no panels)");
}

void DocumentWindow::Choose(UINT id) {
    if (id == kQuitID) {
        app.End();
        return;
    }
    if (id < kFirstPanelID || id - kFirstPanelID >= fPanels.size() || app.Busy())
        return;
    // As `show` and `hide` do.
    World& world = app.session.GetHost().Get<World>();
    const auto panel = world.FindPanel(fPanels[id - kFirstPanelID]);
    if (!panel)
        return;
    const auto palette = world.FindPalette(panel->palette);
    try {
        if (palette && palette->shown && panel->front)
            world.HidePanel(panel->name);
        else
            world.ShowPanel(panel->name);
    } catch (const WorldError& e) {
        app.context.err << "error: " << e.what() << "\n" << std::flush;
    }
}

LRESULT DocumentWindow::Other(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case kInputMessage:
        app.InputArrived();
        return 0;
    case WM_TIMER:
        app.TimerDue();
        return 0;
    case WM_INITMENUPOPUP:
        if (reinterpret_cast<HMENU>(wParam) == fWindowMenu)
            FillWindowMenu(fWindowMenu);
        return 0;
    case WM_COMMAND:
        if (HIWORD(wParam) == 0 && lParam == 0) {
            Choose(LOWORD(wParam));
            return 0;
        }
        break;
    case WM_ENTERIDLE:
        if (wParam == MSGF_MENU) {
            PrintMenuPlaces(app);
            return 0;
        }
        break;
    case WM_MOUSEWHEEL:
        // The wheel reaches the window with the focus: the list under the pointer scrolls.
        if (WheelInput(app, wParam, lParam))
            return 0;
        break;
    default:
        break;
    }
    return Window::Other(message, wParam, lParam);
}

// ---- Palettes -------------------------------------------------------------------------

PaletteWindow::PaletteWindow(App& a, const std::string& name, ScreenPoint place)
    : Window(a), fName(name) {
    // Owned by the document, so that it stays above it; no system caption
    // (the host draws its title); hidden until the world shows it.
    Make(WS_EX_TOOLWINDOW, name, WS_POPUP | WS_SYSMENU,
         {place.x, place.y, place.x + 220, place.y + 320}, app.Document());
}

PaletteWindow::~PaletteWindow() {
    // While it is still a palette: its end shows in a trace.
    if (Handle())
        DestroyWindow(Handle());
}

void PaletteWindow::Follow(const paint::WindowArea& area) {
    RECT now;
    GetWindowRect(Handle(), &now);
    if (now.left != area.left || now.top != area.top || now.right - now.left != area.width ||
        now.bottom - now.top != area.height)
        Put(area.left, area.top, area.width, area.height);
}

void PaletteWindow::Paint(HDC dc, const RECT& /*dirty*/) {
    if (const auto look = app.LookOf(*this))
        PaintPalette(app, *look, *this, dc);
}

bool PaletteWindow::Mouse(UINT message, int x, int y, WPARAM keys) {
    return PaletteInput(*this, message, x, y, keys);
}

void PaletteWindow::Close() {
    // As `hide` does for its panels: the window stays, for `show` to bring back.
    if (app.Busy())
        return;
    World& world = app.session.GetHost().Get<World>();
    if (Tracing())
        Trace("host: hide palette " + fName);
    try {
        world.HidePalette(fName);
    } catch (const WorldError&) {
    }
}

void PaletteWindow::Moved(const RECT& frame) {
    // A move by the window manager (or the keyboard) is the person's own.
    if (app.Busy())
        return;
    World& world = app.session.GetHost().Get<World>();
    const auto palette = world.FindPalette(fName);
    if (!palette || (palette->position.x == frame.left && palette->position.y == frame.top))
        return;
    if (Tracing())
        Trace("host: place " + fName + " " + std::to_string(frame.left) + " " +
              std::to_string(frame.top));
    world.PlacePalette(fName, frame.left, frame.top);
}

LRESULT PaletteWindow::Other(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_MOUSEACTIVATE:
        // A click leaves the document active, as the host's palettes do.
        return MA_NOACTIVATE;
    case WM_SYSCOMMAND:
        if ((wParam & 0xfff0) == SC_MINIMIZE || (wParam & 0xfff0) == SC_MAXIMIZE)
            return 0;
        break;
    case WM_CAPTURECHANGED:
    case WM_TIMER:
    case WM_MOUSELEAVE:
        if (PaletteInput(*this, message, 0, 0, wParam))
            return 0;
        break;
    case WM_MOUSEWHEEL:
        if (WheelInput(app, wParam, lParam))
            return 0;
        break;
    default:
        break;
    }
    return Window::Other(message, wParam, lParam);
}

// ---- The open dialog ------------------------------------------------------------------

void PrintPlace(App& app, const char* kind, const std::string& name, const RECT& r) {
    app.context.out << "place " << kind << " \"" << name << "\" " << r.left << " " << r.top << " "
                    << r.right - r.left << " " << r.bottom - r.top << "\n"
                    << std::flush;
}

DialogWindow::DialogWindow(App& a, Boss* dialog, const paint::DialogLook& look)
    : Window(a), fDialog(dialog) {
    // Owned by the document, managed by the window manager like the alerts.
    Make(WS_EX_TOOLWINDOW | WS_EX_DLGMODALFRAME, look.view.title, WS_POPUP | WS_SYSMENU,
         AreaRect(look.area), app.Document());
    ShowWindow(Handle(), SW_SHOWNOACTIVATE);
    PrintPlace(app, "dialog", look.view.title, AreaRect(look.area));
    for (const paint::WidgetPlace& place : paint::DialogPlaces(look))
        if (place.widget->Class() == kOKButtonWidgetBoss)
            PrintPlace(app, "button", ui::TextOf(place.widget), ScreenRect(place.box));
}

void DialogWindow::Paint(HDC dc, const RECT& /*dirty*/) {
    for (const paint::DialogLook& look : app.Look().dialogs)
        if (look.view.root == fDialog)
            PaintDialog(dc, look);
}

DialogWindow::~DialogWindow() {
    if (fHeld)
        fHeld->Release();
}

Boss* DialogWindow::OKAt(int x, int y) {
    // In the window's own coordinates: a person may have moved it.
    for (const paint::DialogLook& look : app.Look().dialogs) {
        if (look.view.root != fDialog)
            continue;
        const paint::Point at{static_cast<double>(look.area.left + x),
                              static_cast<double>(look.area.top + y)};
        const paint::Hit hit = paint::HitTest(app.Look(), at);
        if (hit.part == paint::Hit::Part::kDialogButton && hit.dialog == fDialog)
            return const_cast<Boss*>(hit.widget);
    }
    return nullptr;
}

// The held OK let go: over it, the dialog's OK is pressed.
void DialogWindow::LetGo(bool over) {
    Boss* held = std::exchange(fHeld, nullptr);
    if (!held)
        return;
    if (GetCapture() == Handle())
        ReleaseCapture();
    app.Act(ui::UserAction::ButtonUp(held, false)); // its look; the dialog acts below
    held->Release();
    InvalidateRect(Handle(), nullptr, FALSE);
    if (over)
        app.Act(ui::UserAction::PressDialogButton(fDialog));
}

// OK as a push button: held down it looks pressed while the pointer is over
// it, and acts when let go there.
bool DialogWindow::Mouse(UINT message, int x, int y, WPARAM /*keys*/) {
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        Boss* ok = OKAt(x, y);
        if (!ok)
            return false;
        ok->AddRef();
        if (fHeld)
            fHeld->Release();
        fHeld = ok;
        SetCapture(Handle());
        app.Act(ui::UserAction::ButtonDown(ok));
        InvalidateRect(Handle(), nullptr, FALSE);
        return true;
    }
    case WM_MOUSEMOVE: {
        if (!fHeld)
            return false;
        const bool over = OKAt(x, y) == fHeld;
        if (const ui::WidgetRecord* record = ui::RecordOf(fHeld);
            record && record->pressed != over) {
            app.Act(ui::UserAction::ButtonDrag(fHeld, over));
            InvalidateRect(Handle(), nullptr, FALSE);
        }
        return true;
    }
    case WM_LBUTTONUP:
        if (!fHeld)
            return false;
        LetGo(OKAt(x, y) == fHeld);
        return true;
    default:
        return false;
    }
}

bool DialogWindow::Key(UINT message, WPARAM wParam) {
    if (message == WM_KEYDOWN && (wParam == VK_RETURN || wParam == VK_ESCAPE)) {
        app.Act(ui::UserAction::PressDialogButton(fDialog));
        return true;
    }
    return false;
}

void DialogWindow::Close() {
    app.Act(ui::UserAction::PressDialogButton(fDialog));
}

LRESULT DialogWindow::Other(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CAPTURECHANGED && fHeld && reinterpret_cast<HWND>(lParam) != Handle()) {
        // Another window took the mouse: the press is lost.
        LetGo(false);
        return 0;
    }
    if (message == WM_NCHITTEST) {
        // Moved by its title, as a window of the system.
        POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ScreenToClient(Handle(), &at);
        if (at.y >= 0 && at.y < paint::kTitleHeight)
            return HTCAPTION;
    }
    return Window::Other(message, wParam, lParam);
}

} // namespace host::live
