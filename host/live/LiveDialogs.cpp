// The host's alerts as real modal windows: the text, a "don't show again"
// check box where the alert offers one, and OK. Owned by the document,
// movable by their titles, never above other programs.
#include "live/LiveApp.h"

#include "core/Text.h"
#include "gdi/GdiPainter.h"
#include "paint/Drawing.h"

#include <windowsx.h>

namespace host::live {

namespace {

constexpr int kAlertWidth = 380, kPad = 12, kButtonWidth = 80, kButtonHeight = 24;
constexpr int kCheckHeight = 20;
constexpr int kCheckID = 101;
constexpr char kAlertTitle[] = "Alert";
constexpr char kDontShowAgain[] = "Don't show again";

int TextHeight(HFONT font, const std::string& text, int width) {
    const HDC dc = CreateCompatibleDC(nullptr);
    SelectObject(dc, font);
    RECT r{0, 0, width, 0};
    const std::wstring wide = UTF8ToWide(text);
    DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &r,
              DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    DeleteDC(dc);
    return r.bottom;
}

class AlertWindow final : public Window {
public:
    AlertWindow(App& a, const std::string& text, bool offer) : Window(a) {
        const int inner = kAlertWidth - 2 * kPad;
        const int textHeight = TextHeight(app.Font(), text, inner);
        int top = paint::kTitleHeight + kPad;
        const int height =
            top + textHeight + kPad + (offer ? kCheckHeight + kPad : 0) + kButtonHeight + kPad;
        const int x = (GetSystemMetrics(SM_CXSCREEN) - kAlertWidth) / 2;
        const int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 3;
        Make(WS_EX_TOOLWINDOW | WS_EX_DLGMODALFRAME, kAlertTitle, WS_POPUP | WS_BORDER | WS_SYSMENU,
             {x, y, x + kAlertWidth, y + height}, app.Document());
        Child(L"STATIC", text, SS_LEFT | SS_NOPREFIX, 0,
              {kPad, top, kPad + inner, top + textHeight});
        top += textHeight + kPad;
        if (offer) {
            fCheck = Child(L"BUTTON", kDontShowAgain, BS_AUTOCHECKBOX | WS_TABSTOP, kCheckID,
                           {kPad, top, kPad + inner, top + kCheckHeight});
            top += kCheckHeight + kPad;
        }
        fOK = Child(
            L"BUTTON", "OK", BS_DEFPUSHBUTTON | WS_TABSTOP, IDOK,
            {kAlertWidth - kPad - kButtonWidth, top, kAlertWidth - kPad, top + kButtonHeight});
    }

    // Shows the alert and waits for its answer.
    bool Ask() {
        EnableWindow(app.Document(), FALSE);
        ShowWindow(Handle(), SW_SHOW);
        SetForegroundWindow(Handle());
        SetFocus(fOK);
        PrintPlaces();
        app.RunModal([this] { return fDone; }, Handle());
        EnableWindow(app.Document(), TRUE);
        return fDontShowAgain;
    }

protected:
    void Paint(HDC dc, const RECT& /*dirty*/) override {
        RECT client;
        GetClientRect(Handle(), &client);
        paint::WindowArea area;
        area.width = client.right;
        area.height = client.bottom;
        gdi::PaintWindow(dc, area, [&area](paint::Painter& painter) {
            paint::DrawBareWindow(painter, kAlertTitle, area.width, area.height);
        });
    }
    void Close() override { fDone = true; }
    LRESULT Other(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_COMMAND && LOWORD(wParam) == IDOK) {
            fDontShowAgain = fCheck && SendMessageW(fCheck, BM_GETCHECK, 0, 0) == BST_CHECKED;
            fDone = true;
            return 0;
        }
        if (message == WM_NCHITTEST) {
            // Moved by the title the host draws, as by a system caption.
            POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            ScreenToClient(Handle(), &at);
            if (at.y >= 0 && at.y < paint::kTitleHeight)
                return HTCAPTION;
        }
        return Window::Other(message, wParam, lParam);
    }

private:
    HWND Child(const wchar_t* kind, const std::string& text, DWORD style, int id, const RECT& r) {
        const HWND child = CreateWindowExW(
            0, kind, UTF8ToWide(text).c_str(), WS_CHILD | WS_VISIBLE | style, r.left, r.top,
            r.right - r.left, r.bottom - r.top, Handle(),
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(app.Font()), TRUE);
        return child;
    }

    // The places a person clicks, on the screen.
    void PrintPlaces() {
        RECT r;
        GetWindowRect(Handle(), &r);
        PrintPlace(app, "dialog", kAlertTitle, r);
        if (fCheck) {
            GetWindowRect(fCheck, &r);
            PrintPlace(app, "checkbox", kDontShowAgain, r);
        }
        GetWindowRect(fOK, &r);
        PrintPlace(app, "button", "OK", r);
    }

    HWND fCheck = nullptr, fOK = nullptr;
    bool fDone = false, fDontShowAgain = false;
};

} // namespace

bool ShowAlert(App& app, const std::string& text, bool offer) {
    AlertWindow alert(app, text, offer);
    return alert.Ask();
}

} // namespace host::live
