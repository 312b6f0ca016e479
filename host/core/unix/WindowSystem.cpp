// The stand-in window system: the windows, the pointer, the message hooks and
// leave tracking, and the system functions the plug-in calls on them. The
// plug-in calls those with no host in hand; they act on the current host's
// window system, and fail as Windows does for a window that is not there.
#include "core/unix/StandInWindows.h"

#include "core/Host.h"
#include "core/Text.h"

#include <dlfcn.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <deque>
#include <map>
#include <string>
#include <vector>

namespace host {

struct WindowSystem::State {
    struct Window {
        LONG exStyle = 0;
        COLORREF key = 0;
        BYTE alpha = 255;
        DWORD flags = 0;
        bool shown = false; // created hidden, as a window is
    };
    struct Hook {
        HHOOK handle;
        HOOKPROC proc;
    };

    std::map<HWND, Window> windows;
    uintptr_t nextWindow = 0x10000;
    std::vector<Hook> hooks; // the latest installed first, as they are called
    uintptr_t nextHook = 0x100;
    HWND under = nullptr;
    HWND tracked = nullptr;
    bool trackedNonClient = false;
    std::deque<MSG> queue; // posted, not yet taken
    bool pumping = false;

    Window* Find(HWND window) {
        const auto it = windows.find(window);
        return it == windows.end() ? nullptr : &it->second;
    }
    bool Exists(HWND window) const { return windows.count(window) != 0; }

    void Post(HWND window, UINT message, int32 x, int32 y) {
        MSG msg{};
        msg.hwnd = window;
        msg.message = message;
        msg.pt = {x, y};
        queue.push_back(msg);
    }

    // The message loop: each message as it is taken, through the hooks.
    void Pump() {
        if (pumping)
            return;
        pumping = true;
        while (!queue.empty()) {
            MSG msg = queue.front();
            queue.pop_front();
            // A hook may unhook itself or others while it runs.
            const std::vector<Hook> called = hooks;
            for (const Hook& hook : called)
                if (std::any_of(hooks.begin(), hooks.end(),
                                [&](const Hook& h) { return h.handle == hook.handle; }))
                    hook.proc(HC_ACTION, PM_REMOVE, reinterpret_cast<LPARAM>(&msg));
        }
        pumping = false;
    }
};

WindowSystem::WindowSystem() : fState(std::make_unique<State>()) {}
WindowSystem::~WindowSystem() = default;

void WindowSystem::DeliverPointer(HWND window, int32 x, int32 y) {
    State& s = *fState;
    if (window && !s.Exists(window))
        window = nullptr;
    if (window)
        s.Post(window, WM_MOUSEMOVE, x, y);
    // Told once the pointer is elsewhere; the request ends with the telling.
    if (s.tracked && s.tracked != window) {
        if (s.Exists(s.tracked)) // a destroyed window is told nothing
            s.Post(s.tracked, s.trackedNonClient ? WM_NCMOUSELEAVE : WM_MOUSELEAVE, x, y);
        s.tracked = nullptr;
    }
    s.under = window;
    s.Pump();
}

HWND WindowSystem::WindowUnderPointer() const {
    return fState->under && fState->Exists(fState->under) ? fState->under : nullptr;
}

HWND CreateStandInWindow(WindowSystem& system) {
    WindowSystem::State& s = system.GetState();
    s.nextWindow += 0x10;
    HWND window = reinterpret_cast<HWND>(s.nextWindow);
    s.windows[window] = {};
    return window;
}

void DestroyStandInWindow(WindowSystem& system, HWND window) {
    system.GetState().windows.erase(window);
}

bool IsStandInWindow(const WindowSystem& system, HWND window) {
    return system.GetState().Exists(window);
}

void ShowStandInWindow(WindowSystem& system, HWND window, bool shown) {
    if (auto* w = system.GetState().Find(window))
        w->shown = shown;
}

bool IsStandInWindowShown(const WindowSystem& system, HWND window) {
    const auto* w = system.GetState().Find(window);
    return w && w->shown;
}

size_t InstalledMessageHooks(const WindowSystem& system) {
    return system.GetState().hooks.size();
}

HWND TrackedWindow(const WindowSystem& system) {
    return system.GetState().tracked;
}

namespace {

// The way in from the system functions: the current host, and its window system.
Host* EnteredHost() {
    return Host::Running();
}

WindowSystem::State* Entered() {
    Host* host = EnteredHost();
    return host ? &host->Windows().GetState() : nullptr;
}

WindowSystem::State::Window* EnteredWindow(HWND window) {
    WindowSystem::State* s = Entered();
    return s ? s->Find(window) : nullptr;
}

} // namespace

} // namespace host

using host::Entered;
using host::EnteredHost;
using host::EnteredWindow;

extern "C" {

LONG GetWindowLongW(HWND window, int index) {
    const auto* w = EnteredWindow(window);
    return (!w || index != GWL_EXSTYLE) ? 0 : w->exStyle;
}

LONG SetWindowLongW(HWND window, int index, LONG value) {
    auto* w = EnteredWindow(window);
    if (!w || index != GWL_EXSTYLE)
        return 0;
    EnteredHost()->Report({host::HostRequest::kSetWindowStyle, {}, value, 0, nullptr, window});
    const LONG old = w->exStyle;
    w->exStyle = value;
    return old;
}

BOOL SetLayeredWindowAttributes(HWND window, COLORREF key, BYTE alpha, DWORD flags) {
    auto* w = EnteredWindow(window);
    // As on Windows, only a layered window takes layered attributes.
    if (!w || !(w->exStyle & WS_EX_LAYERED))
        return FALSE;
    EnteredHost()->Report({host::HostRequest::kSetWindowAlpha, {}, alpha, 0, nullptr, window});
    w->key = key;
    w->alpha = alpha;
    w->flags = flags;
    return TRUE;
}

BOOL GetLayeredWindowAttributes(HWND window, COLORREF* key, BYTE* alpha, DWORD* flags) {
    const auto* w = EnteredWindow(window);
    if (!w || !(w->exStyle & WS_EX_LAYERED))
        return FALSE;
    if (key)
        *key = w->key;
    if (alpha)
        *alpha = w->alpha;
    if (flags)
        *flags = w->flags;
    return TRUE;
}

DWORD GetModuleFileNameW(HMODULE module, WCHAR* buffer, DWORD size) {
    if (!buffer || size == 0)
        return 0;
    std::string path;
    Dl_info info{};
    if (module && dladdr(reinterpret_cast<void*>(module), &info) && info.dli_fname) {
        path = info.dli_fname;
    } else {
        char exe[4096];
        const ssize_t n = readlink("/proc/self/exe", exe, sizeof exe - 1);
        if (n > 0)
            path.assign(exe, static_cast<size_t>(n));
    }
    const std::wstring wide = host::UTF8ToWide(path);
    // Like Windows: truncated to the buffer, always terminated.
    const size_t n = std::min<size_t>(wide.size(), size - 1);
    std::wmemcpy(buffer, wide.data(), n);
    buffer[n] = 0;
    return static_cast<DWORD>(n);
}

HINSTANCE ShellExecuteA(HWND, const char* verb, const char* file, const char*, const char*,
                        int show) {
    // Nothing is opened here; whoever runs the host is told.
    host::ReportShellExecute(verb, file, show);
    return reinterpret_cast<HINSTANCE>(
        static_cast<uintptr_t>(33)); // "success" as Windows reports it
}

HHOOK SetWindowsHookExW(int idHook, HOOKPROC proc, HINSTANCE, DWORD threadID) {
    host::WindowSystem::State* s = Entered();
    // The stand-in has one thread and one kind of hook.
    if (!s || idHook != WH_GETMESSAGE || !proc || threadID != GetCurrentThreadId())
        return nullptr;
    s->nextHook += 0x10;
    HHOOK handle = reinterpret_cast<HHOOK>(s->nextHook);
    s->hooks.insert(s->hooks.begin(), {handle, proc});
    return handle;
}

BOOL UnhookWindowsHookEx(HHOOK hook) {
    host::WindowSystem::State* s = Entered();
    if (!s)
        return FALSE;
    const auto it = std::find_if(s->hooks.begin(), s->hooks.end(),
                                 [&](const auto& h) { return h.handle == hook; });
    if (it == s->hooks.end())
        return FALSE;
    s->hooks.erase(it);
    return TRUE;
}

LRESULT CallNextHookEx(HHOOK, int, WPARAM, LPARAM) {
    // The stand-in calls every hook itself.
    return 0;
}

BOOL TrackMouseEvent(TRACKMOUSEEVENT* track) {
    host::WindowSystem::State* s = Entered();
    if (!s || !track || track->cbSize != sizeof(TRACKMOUSEEVENT))
        return FALSE;
    if (track->dwFlags & TME_CANCEL) {
        if (s->tracked == track->hwndTrack)
            s->tracked = nullptr;
        return TRUE;
    }
    if (!(track->dwFlags & TME_LEAVE) || !s->Exists(track->hwndTrack))
        return FALSE;
    const bool nonClient = (track->dwFlags & TME_NONCLIENT) != 0;
    // As on Windows: asked for a window the pointer is not over, the leave
    // is told at once.
    if (track->hwndTrack != s->under) {
        s->Post(track->hwndTrack, nonClient ? WM_NCMOUSELEAVE : WM_MOUSELEAVE, 0, 0);
        s->Pump();
        return TRUE;
    }
    s->tracked = track->hwndTrack;
    s->trackedNonClient = nonClient;
    return TRUE;
}

HWND GetAncestor(HWND window, UINT) {
    // Stand-in windows are all top-level.
    return EnteredWindow(window) ? window : nullptr;
}

BOOL IsWindow(HWND window) {
    return EnteredWindow(window) ? TRUE : FALSE;
}

DWORD GetCurrentThreadId() {
    return 1;
}
}
