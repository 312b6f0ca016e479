// The stand-in window system's pointer, message hooks and leave tracking.
#include "core/Pointer.h"

#include "core/StandInWindows.h"

#include <algorithm>
#include <deque>
#include <vector>

namespace host {
namespace {

struct Hook {
    HHOOK handle;
    HOOKPROC proc;
};

struct PointerState {
    std::vector<Hook> hooks; // the latest installed first, as they are called
    uintptr_t nextHook = 0x100;
    HWND under = nullptr;
    HWND tracked = nullptr;
    bool trackedNonClient = false;
    std::deque<MSG> queue; // posted, not yet taken
    bool pumping = false;
};

PointerState& State() {
    static PointerState state;
    return state;
}

void Post(HWND window, UINT message, int32 x, int32 y) {
    MSG msg{};
    msg.hwnd = window;
    msg.message = message;
    msg.pt = {x, y};
    State().queue.push_back(msg);
}

// The message loop: each message as it is taken, through the hooks.
void Pump() {
    PointerState& s = State();
    if (s.pumping)
        return;
    s.pumping = true;
    while (!s.queue.empty()) {
        MSG msg = s.queue.front();
        s.queue.pop_front();
        // A hook may unhook itself or others while it runs.
        const std::vector<Hook> hooks = s.hooks;
        for (const Hook& hook : hooks)
            if (std::any_of(s.hooks.begin(), s.hooks.end(),
                            [&](const Hook& h) { return h.handle == hook.handle; }))
                hook.proc(HC_ACTION, PM_REMOVE, reinterpret_cast<LPARAM>(&msg));
    }
    s.pumping = false;
}

} // namespace

void DeliverPointer(HWND window, int32 x, int32 y) {
    PointerState& s = State();
    if (window && !IsStandInWindow(window))
        window = nullptr;
    if (window)
        Post(window, WM_MOUSEMOVE, x, y);
    // Told once the pointer is elsewhere; the request ends with the telling.
    if (s.tracked && s.tracked != window) {
        if (IsStandInWindow(s.tracked)) // a destroyed window is told nothing
            Post(s.tracked, s.trackedNonClient ? WM_NCMOUSELEAVE : WM_MOUSELEAVE, x, y);
        s.tracked = nullptr;
    }
    s.under = window;
    Pump();
}

HWND WindowUnderPointer() {
    HWND under = State().under;
    return under && IsStandInWindow(under) ? under : nullptr;
}

size_t InstalledMessageHooks() {
    return State().hooks.size();
}

HWND TrackedWindow() {
    return State().tracked;
}

} // namespace host

using host::State;

extern "C" {

HHOOK SetWindowsHookExW(int idHook, HOOKPROC proc, HINSTANCE, DWORD threadID) {
    // The stand-in has one thread and one kind of hook.
    if (idHook != WH_GETMESSAGE || !proc || threadID != GetCurrentThreadId())
        return nullptr;
    host::PointerState& s = State();
    s.nextHook += 0x10;
    HHOOK handle = reinterpret_cast<HHOOK>(s.nextHook);
    s.hooks.insert(s.hooks.begin(), {handle, proc});
    return handle;
}

BOOL UnhookWindowsHookEx(HHOOK hook) {
    auto& hooks = State().hooks;
    const auto it = std::find_if(hooks.begin(), hooks.end(),
                                 [&](const host::Hook& h) { return h.handle == hook; });
    if (it == hooks.end())
        return FALSE;
    hooks.erase(it);
    return TRUE;
}

LRESULT CallNextHookEx(HHOOK, int, WPARAM, LPARAM) {
    // The stand-in calls every hook itself.
    return 0;
}

BOOL TrackMouseEvent(TRACKMOUSEEVENT* track) {
    if (!track || track->cbSize != sizeof(TRACKMOUSEEVENT))
        return FALSE;
    host::PointerState& s = State();
    if (track->dwFlags & TME_CANCEL) {
        if (s.tracked == track->hwndTrack)
            s.tracked = nullptr;
        return TRUE;
    }
    if (!(track->dwFlags & TME_LEAVE) || !host::IsStandInWindow(track->hwndTrack))
        return FALSE;
    const bool nonClient = (track->dwFlags & TME_NONCLIENT) != 0;
    // As on Windows: asked for a window the pointer is not over, the leave
    // is told at once.
    if (track->hwndTrack != s.under) {
        host::Post(track->hwndTrack, nonClient ? WM_NCMOUSELEAVE : WM_MOUSELEAVE, 0, 0);
        host::Pump();
        return TRUE;
    }
    s.tracked = track->hwndTrack;
    s.trackedNonClient = nonClient;
    return TRUE;
}

HWND GetAncestor(HWND window, UINT) {
    // Stand-in windows are all top-level.
    return host::IsStandInWindow(window) ? window : nullptr;
}

BOOL IsWindow(HWND window) {
    return host::IsStandInWindow(window) ? TRUE : FALSE;
}

DWORD GetCurrentThreadId() {
    return 1;
}
}
