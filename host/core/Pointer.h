// The window system's pointer as the host's scripts and tests move it. Moving
// it delivers what a window system delivers to the host's windows: a mouse
// move to the window under it, and to a window that asked to be told
// (TrackMouseEvent) the leave notification once the pointer is off it. Off
// Windows the stand-in window system delivers them to the message hooks
// (SetWindowsHookExW, WH_GETMESSAGE) as its message loop takes them; on
// Windows they are real messages, posted and taken from the thread's queue.
#pragma once

#include "OSWindows.h"
#include "SDKTypes.h"

#include <cstddef>

namespace host {

// Puts the pointer at the screen point over `window` (nullptr: over none of
// the host's windows, as on the desktop or another program).
OPAL_SDK_API void DeliverPointer(HWND window, int32 x, int32 y);
// The host window the pointer is over now, as last delivered.
OPAL_SDK_API HWND WindowUnderPointer();

#if !defined(_WIN32)
// What the stand-in window system holds for its clients: message hooks, and
// the window that waits for its leave notification.
OPAL_SDK_API size_t InstalledMessageHooks();
OPAL_SDK_API HWND TrackedWindow();
#endif

} // namespace host
