// Off Windows, the host's stand-in for operating-system windows: each keeps
// its extended style and layered-window attributes, so the plug-in's window
// calls have the same effect they have on Windows.
#pragma once

#include "OSWindows.h"
#include "SDKTypes.h"

#include <functional>
#include <string>

namespace host {

// Tells the current host (Host::shellExecute) of a web page or document the
// plug-in asks the system to open with its own ShellExecuteA: the verb, the
// file or address, the show command.
void ReportShellExecute(const char* verb, const char* file, int show);

} // namespace host

#if !defined(_WIN32)

namespace host {

OPAL_SDK_API HWND CreateStandInWindow();
OPAL_SDK_API void DestroyStandInWindow(HWND window);
OPAL_SDK_API bool IsStandInWindow(HWND window);
OPAL_SDK_API void ShowStandInWindow(HWND window, bool shown);
OPAL_SDK_API bool IsStandInWindowShown(HWND window);

} // namespace host

#endif
