// The stand-in window system's own calls: its windows, as the host's palettes
// are made of them, and what it holds for its clients (message hooks, the
// window that waits for its leave notification).
#pragma once

#include "core/WindowSystem.h"

#include <cstddef>

namespace host {

OPAL_SDK_API HWND CreateStandInWindow(WindowSystem& system);
OPAL_SDK_API void DestroyStandInWindow(WindowSystem& system, HWND window);
OPAL_SDK_API bool IsStandInWindow(const WindowSystem& system, HWND window);
OPAL_SDK_API void ShowStandInWindow(WindowSystem& system, HWND window, bool shown);
OPAL_SDK_API bool IsStandInWindowShown(const WindowSystem& system, HWND window);
OPAL_SDK_API size_t InstalledMessageHooks(const WindowSystem& system);
OPAL_SDK_API HWND TrackedWindow(const WindowSystem& system);

} // namespace host
