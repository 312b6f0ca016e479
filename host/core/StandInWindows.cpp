#include "StandInWindows.h"

#include "Host.h"

namespace host {
namespace {

// The plug-in calls the system's window and shell functions with no host in
// hand: the current host, when there is one, hears of them.
Host* EnteredHost() {
    return Host::Running();
}

} // namespace

void ReportShellExecute(const char* verb, const char* file, int show) {
    if (Host* host = EnteredHost())
        host->shellExecute.Publish({verb ? verb : "", file ? file : "", show});
}

} // namespace host

#if !defined(_WIN32)

#include "Host.h"
#include "Text.h"

#include <dlfcn.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <map>
#include <string>

namespace host {
namespace {

struct WindowState {
    LONG exStyle = 0;
    COLORREF key = 0;
    BYTE alpha = 255;
    DWORD flags = 0;
    bool shown = false; // created hidden, as a window is
};

std::map<HWND, WindowState>& Windows() {
    static std::map<HWND, WindowState> windows;
    return windows;
}

uintptr_t gNextWindow = 0x10000;

} // namespace

HWND CreateStandInWindow() {
    gNextWindow += 0x10;
    HWND window = reinterpret_cast<HWND>(gNextWindow);
    Windows()[window] = WindowState{};
    return window;
}

void DestroyStandInWindow(HWND window) {
    Windows().erase(window);
}

bool IsStandInWindow(HWND window) {
    return Windows().count(window) != 0;
}

void ShowStandInWindow(HWND window, bool shown) {
    auto it = Windows().find(window);
    if (it != Windows().end())
        it->second.shown = shown;
}

bool IsStandInWindowShown(HWND window) {
    auto it = Windows().find(window);
    return it != Windows().end() && it->second.shown;
}

} // namespace host

using host::Windows;

extern "C" {

LONG GetWindowLongW(HWND window, int index) {
    auto it = Windows().find(window);
    return (it == Windows().end() || index != GWL_EXSTYLE) ? 0 : it->second.exStyle;
}

LONG SetWindowLongW(HWND window, int index, LONG value) {
    auto it = Windows().find(window);
    if (it == Windows().end() || index != GWL_EXSTYLE)
        return 0;
    if (host::Host* host = host::EnteredHost())
        host->Report({host::HostRequest::kSetWindowStyle, {}, value, 0, nullptr, window});
    const LONG old = it->second.exStyle;
    it->second.exStyle = value;
    return old;
}

BOOL SetLayeredWindowAttributes(HWND window, COLORREF key, BYTE alpha, DWORD flags) {
    auto it = Windows().find(window);
    // As on Windows, only a layered window takes layered attributes.
    if (it == Windows().end() || !(it->second.exStyle & WS_EX_LAYERED))
        return FALSE;
    if (host::Host* host = host::EnteredHost())
        host->Report({host::HostRequest::kSetWindowAlpha, {}, alpha, 0, nullptr, window});
    it->second.key = key;
    it->second.alpha = alpha;
    it->second.flags = flags;
    return TRUE;
}

BOOL GetLayeredWindowAttributes(HWND window, COLORREF* key, BYTE* alpha, DWORD* flags) {
    auto it = Windows().find(window);
    if (it == Windows().end() || !(it->second.exStyle & WS_EX_LAYERED))
        return FALSE;
    if (key)
        *key = it->second.key;
    if (alpha)
        *alpha = it->second.alpha;
    if (flags)
        *flags = it->second.flags;
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
}

#endif
