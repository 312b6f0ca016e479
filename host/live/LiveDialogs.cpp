// The host's alerts as real modal windows, laid out and drawn wholly by the
// host (paint::LayOutAlert, paint::DrawAlert): its title, the text, a
// "don't show again" check box where the alert offers one, and OK as the
// About dialog's. Owned by the document, moved by their titles, never above
// other programs. Escape and Enter close it as OK does; Tab moves between the
// check box and OK, Space presses the one with the focus.
#include "live/LiveApp.h"

#include "core/Text.h"
#include "gdi/GdiPainter.h"
#include "paint/Drawing.h"
#include "paint/HitTest.h"

#include <windowsx.h>

namespace host::live {

namespace {

class AlertWindow final : public Window {
public:
    AlertWindow(App& a, const std::string& text, bool offer) : Window(a) {
        const auto measure = paint::NewScreenTextMeasure();
        fLook = paint::LayOutAlert(*measure, text, offer);
        const int x = (GetSystemMetrics(SM_CXSCREEN) - fLook.width) / 2;
        const int y = (GetSystemMetrics(SM_CYSCREEN) - fLook.height) / 3;
        Make(WS_EX_TOOLWINDOW | WS_EX_DLGMODALFRAME, fLook.title, WS_POPUP | WS_SYSMENU,
             {x, y, x + fLook.width, y + fLook.height}, app.Document());
    }

    // Shows the alert and waits for its answer.
    bool Ask() {
        EnableWindow(app.Document(), FALSE);
        ShowWindow(Handle(), SW_SHOW);
        SetForegroundWindow(Handle());
        SetFocus(Handle());
        PrintPlaces();
        app.RunModal([this] { return fDone; });
        EnableWindow(app.Document(), TRUE);
        SetForegroundWindow(app.Document());
        return fLook.offered && fState.checked;
    }

protected:
    void Paint(HDC dc, const RECT& /*dirty*/) override {
        paint::WindowArea area;
        area.width = fLook.width;
        area.height = fLook.height;
        gdi::PaintWindow(dc, area, [this](paint::Painter& painter) {
            paint::DrawAlert(painter, fLook, fState);
        });
    }
    bool Mouse(UINT message, int x, int y, WPARAM /*keys*/) override {
        const paint::AlertPart part =
            paint::AlertHitTest(fLook, {static_cast<double>(x), static_cast<double>(y)});
        if (message == WM_LBUTTONDOWN) {
            if (part == paint::AlertPart::kCheck) {
                fState.checked = !fState.checked;
                fState.focus = 1;
            } else if (part == paint::AlertPart::kOK) {
                fHeld = true;
                fState.pressed = true;
                fState.focus = 2;
                SetCapture(Handle());
            }
            Redraw();
            return true;
        }
        if (message == WM_MOUSEMOVE && fHeld) {
            // Held, OK looks pressed only while the pointer is over it.
            if (fState.pressed != (part == paint::AlertPart::kOK)) {
                fState.pressed = !fState.pressed;
                Redraw();
            }
            return true;
        }
        if (message == WM_LBUTTONUP && fHeld) {
            // OK acts when released over it.
            fHeld = false;
            fState.pressed = false;
            ReleaseCapture();
            fDone = part == paint::AlertPart::kOK;
            Redraw();
            return true;
        }
        return false;
    }
    bool Key(UINT message, WPARAM wParam) override {
        if (message != WM_KEYDOWN)
            return message == WM_CHAR;
        ui::Key key;
        key.shift = GetKeyState(VK_SHIFT) < 0;
        switch (wParam) {
        case VK_ESCAPE:
            key.code = ui::Key::Code::kEscape;
            break;
        case VK_RETURN:
            key.code = ui::Key::Code::kEnter;
            break;
        case VK_SPACE:
            key.code = ui::Key::Code::kSpace;
            break;
        case VK_TAB:
            key.code = ui::Key::Code::kTab;
            break;
        default:
            return false;
        }
        fDone = paint::AlertKey(fLook, fState, key);
        Redraw();
        return true;
    }
    void Close() override { fDone = true; }
    LRESULT Other(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_NCHITTEST) {
            // Moved by the title the host draws, as by a system caption.
            POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            ScreenToClient(Handle(), &at);
            if (paint::AlertHitTest(fLook, {double(at.x), double(at.y)}) ==
                paint::AlertPart::kTitle)
                return HTCAPTION;
        }
        if (message == WM_GETDLGCODE)
            return DLGC_WANTALLKEYS;
        return Window::Other(message, wParam, lParam);
    }

private:
    void Redraw() { InvalidateRect(Handle(), nullptr, FALSE); }

    // The places a person clicks, on the screen.
    void PrintPlaces() {
        RECT window;
        GetWindowRect(Handle(), &window);
        PrintPlace(app, "dialog", fLook.title, window);
        const auto onScreen = [&window](const paint::Rect& r) {
            return RECT{window.left + static_cast<LONG>(r.x), window.top + static_cast<LONG>(r.y),
                        window.left + static_cast<LONG>(r.Right()),
                        window.top + static_cast<LONG>(r.Bottom())};
        };
        if (fLook.offered) {
            paint::Rect both = fLook.check;
            both.width = fLook.checkLabel.Right() - fLook.check.x;
            PrintPlace(app, "checkbox", paint::kDontShowAgainText, onScreen(both));
        }
        PrintPlace(app, "button", "OK", onScreen(fLook.ok));
    }

    paint::AlertLook fLook;
    paint::AlertState fState;
    bool fHeld = false; // OK held down by the pointer
    bool fDone = false;
};

} // namespace

bool ShowAlert(App& app, const std::string& text, bool offer) {
    AlertWindow alert(app, text, offer);
    return alert.Ask();
}

} // namespace host::live
