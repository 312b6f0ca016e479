// The live windows: the document window, the host's palette windows taken
// over (painted by the host, placed where the world puts them), and the
// window of the host's open dialog.
#include "live/LiveApp.h"
#include "live/LiveLayout.h"

#include "IWidgets.h"
#include "core/Text.h"
#include "ui/DialogManager.h"
#include "ui/Widgets.h"
#include "world/World.h"

#include <algorithm>
#include <cstdio>
#include <iostream>

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

void RegisterClass(const wchar_t* name, WNDPROC procedure) {
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
    gAdopted.insert(window);
}

void Place(HWND window, const PaletteLayout& layout, bool adopted) {
    RECT now;
    GetWindowRect(window, &now);
    if (adopted && now.left == layout.x && now.top == layout.y &&
        now.right - now.left == layout.w && now.bottom - now.top == layout.h)
        return;
    SetWindowPos(window, nullptr, layout.x, layout.y, layout.w, layout.h,
                 SWP_NOZORDER | SWP_NOACTIVATE | (adopted ? 0 : SWP_FRAMECHANGED));
}

// The dialog window's size for its root widget: the root's frame, a border
// and the host's title bar.
SIZE DialogSize(const Boss* root) {
    const IControlView* view = ui::ViewOf(root);
    const PMRect frame = view ? view->GetFrame() : PMRect(0, 0, 300, 200);
    return {static_cast<LONG>(frame.Width()) + 2 * kBorder,
            static_cast<LONG>(frame.Height()) + 2 * kBorder + kTitleHeight};
}

} // namespace

HWND CreateDocumentWindow() {
    RegisterClass(kDocumentClass, DocumentProc);
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
    const TextWidth width = [](const std::string& text) { return App::Get().TextWidth(text); };
    for (const PaletteInfo& palette : World::Get().Palettes()) {
        if (!palette.window)
            continue;
        const bool adopted = gAdopted.count(palette.window) != 0;
        if (!adopted)
            Adopt(palette.window);
        if (const auto layout = FindLayout(palette.window, width))
            Place(palette.window, *layout, adopted);
        if (repaint || !adopted)
            InvalidateRect(palette.window, nullptr, FALSE);
    }
}

void PrintPlace(const char* kind, const std::string& name, const RECT& r) {
    std::ostream& out = App::Get().context.out;
    out << "place " << kind << " \"" << name << "\" " << r.left << " " << r.top << " "
        << r.right - r.left << " " << r.bottom - r.top << "\n"
        << std::flush;
}

void OpenDialogWindow(Boss* dialog) {
    static const bool registered = (RegisterClass(kDialogClass, PaletteProc), true);
    (void)registered;
    const SIZE size = DialogSize(dialog);
    const int x = (GetSystemMetrics(SM_CXSCREEN) - size.cx) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - size.cy) / 3;
    const std::string title = ui::DialogManager::Get().Title(dialog);
    gDialog = dialog;
    gDialogWindow = CreateWindowExW(WS_EX_TOOLWINDOW, kDialogClass, UTF8ToWide(title).c_str(),
                                    WS_POPUP, x, y, size.cx, size.cy, App::Get().Document(),
                                    nullptr, GetModuleHandleW(nullptr), nullptr);
    ShowWindow(gDialogWindow, SW_SHOWNOACTIVATE);
    PrintPlace("dialog", title, {x, y, x + size.cx, y + size.cy});
    WalkWidgets(dialog, x + kBorder - static_cast<int>(ui::ViewOf(dialog)->GetFrame().Left()),
                y + kBorder + kTitleHeight - static_cast<int>(ui::ViewOf(dialog)->GetFrame().Top()),
                [](const Boss* widget, const Rect& r, bool) {
                    if (widget->Class() == kOKButtonWidgetBoss)
                        PrintPlace("button", ui::TextOf(widget), {r.x, r.y, r.x + r.w, r.y + r.h});
                });
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
    Boss* front = ui::DialogManager::Get().FrontDialog();
    if (front == gDialog)
        return;
    CloseDialogWindow();
    if (front && ui::ViewOf(front))
        OpenDialogWindow(front);
}

void WaitForDialog(Boss* dialog) {
    App& app = App::Get();
    SyncDialogs();
    MSG message;
    while (!app.Ending() && ui::DialogManager::Get().FrontDialog() == dialog &&
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
        if (Boss* dialog = DialogOf(window))
            PaintDialog(window, dc, dialog, ui::DialogManager::Get().Title(dialog));
        else
            PaintPalette(window, dc);
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

namespace host::live {

namespace {

RECT OnScreen(const PaletteLayout& layout, const Rect& r) {
    return {layout.x + r.x, layout.y + r.y, layout.x + r.x + r.w, layout.y + r.y + r.h};
}

void PrintOpalPlaces(const PaletteLayout& layout) {
    const auto opal = FindOpal(layout);
    if (!opal)
        return;
    for (size_t i = 0; i < opal->rows.size(); ++i) {
        const Rect& row = opal->rows[i];
        // Rows scrolled out of the list are not there to click.
        if (opal->listRect.Contains(row.x + row.w / 2, row.y + row.h / 2))
            PrintPlace("row", std::to_string(i), OnScreen(layout, row));
    }
    PrintPlace("field", "opacity", OnScreen(layout, opal->field));
    PrintPlace("button", "onoff", OnScreen(layout, opal->onOff));
    PrintPlace("button", "swap", OnScreen(layout, opal->swap));
    PrintPlace("sizebox", "opal", OnScreen(layout, opal->sizeBox));
}

} // namespace

void PrintPlaces() {
    for (const PaletteLayout& layout :
         ShownPalettes([](const std::string& text) { return App::Get().TextWidth(text); })) {
        PrintPlace("palette", layout.name, OnScreen(layout, {0, 0, layout.w, layout.h}));
        PrintPlace("title", layout.name, OnScreen(layout, layout.title));
        PrintPlace("menu", layout.name, OnScreen(layout, layout.menu));
        for (const GroupPlace& group : layout.groups)
            for (const TabPlace& tab : group.tabs)
                PrintPlace("tab", tab.label, OnScreen(layout, tab.rect));
        PrintOpalPlaces(layout);
    }
    if (gDialogWindow) {
        RECT r;
        GetWindowRect(gDialogWindow, &r);
        PrintPlace("dialog", ui::DialogManager::Get().Title(gDialog), r);
        const PMRect f = ui::ViewOf(gDialog)->GetFrame();
        WalkWidgets(
            gDialog, r.left + kBorder - static_cast<int>(f.Left()),
            r.top + kBorder + kTitleHeight - static_cast<int>(f.Top()),
            [](const Boss* widget, const Rect& b, bool) {
                if (widget->Class() == kOKButtonWidgetBoss)
                    PrintPlace("button", ui::TextOf(widget), {b.x, b.y, b.x + b.w, b.y + b.h});
            });
    }
}

} // namespace host::live
