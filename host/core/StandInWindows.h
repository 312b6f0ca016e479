// Off Windows, the host's stand-in for operating-system windows: each keeps
// its extended style and layered-window attributes, so the plug-in's window
// calls have the same effect they have on Windows.
#pragma once

#include "OSWindows.h"
#include "SDKTypes.h"

#include <functional>
#include <string>

namespace host {

// Told of every web page or document the plug-in asks the system to open
// (ShellExecuteA): the verb, the file or address, the show command.
using ShellExecuteSink =
    std::function<void(const std::string& verb, const std::string& file, int show)>;
OPAL_SDK_API void SetShellExecuteSink(ShellExecuteSink sink);
OPAL_SDK_API const ShellExecuteSink& ShellExecuteSinkNow();

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
