// The host's alerts as real modal windows: the text, a "don't show again"
// check box where the alert offers one, and OK.
#include "live/LiveApp.h"
#include "live/LiveLayout.h"

#include "core/Text.h"
#include "gdi/GdiPainter.h"
#include "paint/Drawing.h"

namespace host::live {

namespace {

constexpr wchar_t kAlertClass[] = L"OpalHostAlert";
constexpr int kAlertWidth = 380, kPad = 12, kButtonWidth = 80, kButtonHeight = 24;
constexpr int kCheckHeight = 20;
constexpr int kCheckID = 101;
constexpr char kAlertTitle[] = "Alert";
constexpr char kDontShowAgain[] = "Don't show again";

struct AlertState {
    bool done = false;
    bool dontShowAgain = false;
    HWND check = nullptr;
};

LRESULT CALLBACK AlertProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* state = reinterpret_cast<AlertState*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (message) {
    case WM_COMMAND:
        if (state && LOWORD(wParam) == IDOK) {
            state->dontShowAgain =
                state->check && SendMessageW(state->check, BM_GETCHECK, 0, 0) == BST_CHECKED;
            state->done = true;
        }
        return 0;
    case WM_CLOSE:
        if (state)
            state->done = true;
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        const HDC dc = BeginPaint(window, &paint);
        RECT client;
        GetClientRect(window, &client);
        paint::WindowArea area;
        area.width = client.right;
        area.height = client.bottom;
        gdi::PaintWindow(dc, area, [&area](paint::Painter& painter) {
            paint::DrawBareWindow(painter, "Alert", area.width, area.height);
        });
        EndPaint(window, &paint);
        return 0;
    }
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

HWND Child(HWND parent, const wchar_t* kind, const std::string& text, DWORD style, int id,
           const RECT& r) {
    const HWND child = CreateWindowExW(
        0, kind, UTF8ToWide(text).c_str(), WS_CHILD | WS_VISIBLE | style, r.left, r.top,
        r.right - r.left, r.bottom - r.top, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(App::Get().Font()), TRUE);
    return child;
}

int TextHeight(const std::string& text, int width) {
    const HDC dc = CreateCompatibleDC(nullptr);
    SelectObject(dc, App::Get().Font());
    RECT r{0, 0, width, 0};
    const std::wstring wide = UTF8ToWide(text);
    DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &r,
              DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    DeleteDC(dc);
    return r.bottom;
}

// The places a person clicks, on the screen.
void PrintAlertPlaces(HWND window, HWND check, HWND ok) {
    RECT r;
    GetWindowRect(window, &r);
    PrintPlace("dialog", kAlertTitle, r);
    if (check) {
        GetWindowRect(check, &r);
        PrintPlace("checkbox", kDontShowAgain, r);
    }
    GetWindowRect(ok, &r);
    PrintPlace("button", "OK", r);
}

HWND MakeAlert(const std::string& text, bool offer, AlertState* state, HWND* ok) {
    static const bool registered = [] {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = AlertProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
        windowClass.lpszClassName = kAlertClass;
        return RegisterClassW(&windowClass) != 0;
    }();
    (void)registered;
    const int inner = kAlertWidth - 2 * kPad;
    const int textHeight = TextHeight(text, inner);
    int top = paint::kTitleHeight + kPad;
    const int height =
        top + textHeight + kPad + (offer ? kCheckHeight + kPad : 0) + kButtonHeight + kPad;
    const int x = (GetSystemMetrics(SM_CXSCREEN) - kAlertWidth) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 3;
    const HWND window =
        CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_DLGMODALFRAME, kAlertClass,
                        L"Alert", WS_POPUP | WS_BORDER, x, y, kAlertWidth, height,
                        App::Get().Document(), nullptr, GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
    Child(window, L"STATIC", text, SS_LEFT | SS_NOPREFIX, 0,
          {kPad, top, kPad + inner, top + textHeight});
    top += textHeight + kPad;
    if (offer) {
        state->check = Child(window, L"BUTTON", kDontShowAgain, BS_AUTOCHECKBOX | WS_TABSTOP,
                             kCheckID, {kPad, top, kPad + inner, top + kCheckHeight});
        top += kCheckHeight + kPad;
    }
    *ok = Child(window, L"BUTTON", "OK", BS_DEFPUSHBUTTON | WS_TABSTOP, IDOK,
                {kAlertWidth - kPad - kButtonWidth, top, kAlertWidth - kPad, top + kButtonHeight});
    return window;
}

} // namespace

bool ShowAlert(const std::string& text, bool offer) {
    App& app = App::Get();
    AlertState state;
    HWND ok = nullptr;
    const HWND window = MakeAlert(text, offer, &state, &ok);
    EnableWindow(app.Document(), FALSE);
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    SetFocus(ok);
    PrintAlertPlaces(window, state.check, ok);
    MSG message;
    while (!state.done && !app.Ending() && GetMessageW(&message, nullptr, 0, 0) > 0)
        if (!IsDialogMessageW(window, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    EnableWindow(app.Document(), TRUE);
    DestroyWindow(window);
    return state.dontShowAgain;
}

} // namespace host::live
