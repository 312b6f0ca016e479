// The pointer on Windows: the messages a move of the real pointer brings,
// posted to the real windows and taken from the thread's queue by a message
// loop, so that message hooks see them as they see the real ones. The real
// pointer itself stays where it is: the scripts run unattended, under Wine on
// a virtual screen, and a real move would come back as X events at a time of
// the X server's choosing.
#include "core/WindowSystem.h"

namespace host {

struct WindowSystem::State {
    HWND under = nullptr;
};

WindowSystem::WindowSystem() : fState(std::make_unique<State>()) {}
WindowSystem::~WindowSystem() = default;

void WindowSystem::DeliverPointer(HWND window, int32 x, int32 y) {
    if (window && !IsWindow(window))
        window = nullptr;
    if (window) {
        POINT client{x, y};
        ScreenToClient(window, &client);
        PostMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(client.x, client.y));
    }
    // The windows the pointer is over are the ones that ask for the leave;
    // the pointer never was over them for the system, so it is told here.
    HWND& under = fState->under;
    if (under && under != window && IsWindow(under))
        PostMessageW(under, WM_MOUSELEAVE, 0, 0);
    under = window;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

HWND WindowSystem::WindowUnderPointer() const {
    return fState->under && IsWindow(fState->under) ? fState->under : nullptr;
}

} // namespace host
