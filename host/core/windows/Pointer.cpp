// The pointer on Windows: the messages a move of the real pointer brings,
// posted to the real windows and taken from the thread's queue by a message
// loop, so that message hooks see them as they see the real ones. The real
// pointer itself stays where it is: the scripts run unattended, under Wine on
// a virtual screen, and a real move would come back as X events at a time of
// the X server's choosing.
#include "core/Pointer.h"

namespace host {
namespace {

HWND gUnder = nullptr;

} // namespace

void DeliverPointer(HWND window, int32 x, int32 y) {
    if (window && !IsWindow(window))
        window = nullptr;
    if (window) {
        POINT client{x, y};
        ScreenToClient(window, &client);
        PostMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(client.x, client.y));
    }
    // The windows the pointer is over are the ones that ask for the leave;
    // the pointer never was over them for the system, so it is told here.
    if (gUnder && gUnder != window && IsWindow(gUnder))
        PostMessageW(gUnder, WM_MOUSELEAVE, 0, 0);
    gUnder = window;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

HWND WindowUnderPointer() {
    return gUnder && IsWindow(gUnder) ? gUnder : nullptr;
}

} // namespace host
