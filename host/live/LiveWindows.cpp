// The live windows: the document window, the host's palette windows taken
// over (painted by the host, placed where the world puts them), and the
// window of the host's open dialog.
#include "live/LiveApp.h"
#include "live/LiveLayout.h"

#include "IWidgets.h"
#include "core/Text.h"
#include "paint/Drawing.h"
#include "ui/DialogManager.h"
#include "ui/Widgets.h"
#include "world/World.h"

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <optional>

namespace host::live {

namespace {

constexpr wchar_t kDocumentClass[] = L"OpalHostDocument";
constexpr wchar_t kDialogClass[] = L"OpalHostDialog";
constexpr int kDocumentWidth = 960, kDocumentHeight = 640;

std::set<HWND> gAdopted;
HWND gDialogWindow = nullptr;
Boss* gDialog = nullptr;

LRESULT CALLBACK DocumentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    App& app = App::Get();
    switch (message) {
    case kLineMessage: {
        const auto* line = reinterpret_cast<std::string*>(lParam);
        app.Submit(*line);
        delete line;
        return 0;
    }
    case kEndOfInputMessage:
        app.Submit("quit");
        return 0;
    case WM_TIMER:
        app.Tick();
        return 0;
    case WM_CHAR:
    case WM_KEYDOWN:
    case WM_ENTERIDLE:
        // Palettes never take the focus from the document: its keys go to
        // the field being typed into or the open dialog.
        if (KeyInput(message, wParam, lParam))
            return 0;
        return DefWindowProcW(window, message, wParam, lParam);
    case WM_CLOSE:
        app.End();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        const HDC dc = BeginPaint(window, &paint);
        RECT area;
        GetClientRect(window, &area);
        PaintDocument(dc, area);
        EndPaint(window, &paint);
        return 0;
    }
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

void RegisterWindowClass(const wchar_t* name, WNDPROC procedure) {
    WNDCLASSW windowClass{};
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
    windowClass.lpszClassName = name;
    RegisterClassW(&windowClass);
}

// A palette window made by the world becomes a live one: no system caption
// (the host draws its title), double clicks, and owned by the document
// window so that it stays above it.
void Adopt(HWND window) {
    SetClassLongPtrW(window, GCL_STYLE, GetClassLongPtrW(window, GCL_STYLE) | CS_DBLCLKS);
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(PaletteProc));
    const LONG style = GetWindowLongW(window, GWL_STYLE);
    SetWindowLongW(window, GWL_STYLE, (style & ~WS_CAPTION) | WS_POPUP);
    SetWindowLongPtrW(window, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(App::Get().Document()));
    SetWindowPos(window, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    gAdopted.insert(window);
}

void Place(HWND window, const paint::WindowArea& area) {
    RECT now;
    GetWindowRect(window, &now);
    if (now.left != area.left || now.top != area.top || now.right - now.left != area.width ||
        now.bottom - now.top != area.height)
        SetWindowPos(window, nullptr, area.left, area.top, area.width, area.height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT ScreenRect(const paint::Rect& r) {
    return {static_cast<LONG>(r.x), static_cast<LONG>(r.y), static_cast<LONG>(r.Right()),
            static_cast<LONG>(r.Bottom())};
}

RECT AreaRect(const paint::WindowArea& a) {
    return {a.left, a.top, a.left + a.width, a.top + a.height};
}

void PrintDialogPlaces(const paint::DialogLook& look) {
    PrintPlace("dialog", look.view.title, AreaRect(look.area));
    for (const paint::WidgetPlace& place : paint::DialogPlaces(look))
        if (place.widget->Class() == kOKButtonWidgetBoss)
            PrintPlace("button", ui::TextOf(place.widget), ScreenRect(place.box));
}

std::optional<paint::DialogLook> DialogLookOf(const Boss* dialog) {
    for (paint::DialogLook& look : LayOutScreen().dialogs)
        if (look.view.root == dialog)
            return std::move(look);
    return std::nullopt;
}

} // namespace

HWND CreateDocumentWindow() {
    RegisterWindowClass(kDocumentClass, DocumentProc);
    RECT frame{0, 0, kDocumentWidth, kDocumentHeight};
    AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, FALSE);
    const HWND window =
        CreateWindowExW(0, kDocumentClass, L"Opal - The Quiet Panel", WS_OVERLAPPEDWINDOW, 0, 0,
                        frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                        GetModuleHandleW(nullptr), nullptr);
    ShowWindow(window, SW_SHOWNORMAL);
    return window;
}

void SyncPalettes(bool repaint) {
    for (auto it = gAdopted.begin(); it != gAdopted.end();)
        it = IsWindow(*it) ? std::next(it) : gAdopted.erase(it);
    for (const PaletteInfo& palette : Host::Current().Get<World>().Palettes())
        if (palette.window && !gAdopted.count(palette.window)) {
            Adopt(palette.window);
            repaint = true;
        }
    for (const paint::PaletteLook& look : LayOutScreen().palettes) {
        const HWND window = WindowOf(look.area.name);
        if (!window)
            continue;
        Place(window, look.area);
        if (repaint)
            InvalidateRect(window, nullptr, FALSE);
    }
}

void PrintPlace(const char* kind, const std::string& name, const RECT& r) {
    std::ostream& out = App::Get().context.out;
    out << "place " << kind << " \"" << name << "\" " << r.left << " " << r.top << " "
        << r.right - r.left << " " << r.bottom - r.top << "\n"
        << std::flush;
}

void OpenDialogWindow(Boss* dialog) {
    static const bool registered = (RegisterWindowClass(kDialogClass, PaletteProc), true);
    (void)registered;
    const auto look = DialogLookOf(dialog);
    if (!look)
        return;
    const paint::WindowArea& area = look->area;
    gDialog = dialog;
    gDialogWindow =
        CreateWindowExW(WS_EX_TOOLWINDOW, kDialogClass, UTF8ToWide(look->view.title).c_str(),
                        WS_POPUP, area.left, area.top, area.width, area.height,
                        App::Get().Document(), nullptr, GetModuleHandleW(nullptr), nullptr);
    ShowWindow(gDialogWindow, SW_SHOWNOACTIVATE);
    PrintDialogPlaces(*look);
}

void CloseDialogWindow() {
    if (gDialogWindow)
        DestroyWindow(gDialogWindow);
    gDialogWindow = nullptr;
    gDialog = nullptr;
}

HWND OpenDialogWindowHandle() {
    return gDialogWindow;
}

Boss* DialogOf(HWND window) {
    return window && window == gDialogWindow ? gDialog : nullptr;
}

void SyncDialogs() {
    Boss* front = Host::Current().Get<ui::DialogManager>().FrontDialog();
    if (front == gDialog)
        return;
    CloseDialogWindow();
    if (front)
        OpenDialogWindow(front);
}

void WaitForDialog(Boss* dialog) {
    App& app = App::Get();
    SyncDialogs();
    MSG message;
    while (!app.Ending() && Host::Current().Get<ui::DialogManager>().FrontDialog() == dialog &&
           GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    SyncDialogs();
}

LRESULT CALLBACK PaletteProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_MOUSEACTIVATE:
        // A click leaves the document active, as the host's palettes do (and
        // Wine keeps a window that is never active unmanaged by a window
        // manager).
        return MA_NOACTIVATE;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        const HDC dc = BeginPaint(window, &paint);
        if (Boss* dialog = DialogOf(window)) {
            if (const auto look = DialogLookOf(dialog))
                PaintDialog(dc, *look);
        } else {
            PaintPalette(window, dc);
        }
        EndPaint(window, &paint);
        return 0;
    }
    default:
        if (PaletteInput(window, message, wParam, lParam))
            return 0;
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

} // namespace host::live
