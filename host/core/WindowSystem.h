// The window system the host's windows live in, one for each host. On Windows
// it is the real one: the palettes are real windows and the pointer's messages
// are posted to them. Elsewhere the host stands in for it (core/unix): each
// window keeps its extended style and layered-window attributes, so that the
// plug-in's window calls have the effect they have on Windows, and a message
// loop of one thread takes the pointer's messages through the installed hooks.
#pragma once

#include "OSWindows.h"
#include "SDKTypes.h"

#include <memory>

namespace host {

class OPAL_SDK_API WindowSystem {
public:
    WindowSystem();
    ~WindowSystem();
    WindowSystem(const WindowSystem&) = delete;
    WindowSystem& operator=(const WindowSystem&) = delete;

    // Puts the pointer at the screen point over `window` (nullptr: over none
    // of the host's windows, as on the desktop or another program). The
    // window under it gets a mouse move; a window that asked to be told
    // (TrackMouseEvent) gets its leave notification once the pointer is off.
    void DeliverPointer(HWND window, int32 x, int32 y);
    // The host window the pointer is over now, as last delivered.
    HWND WindowUnderPointer() const;

    // What the platform keeps (core/unix/StandInWindows.h, core/windows).
    struct State;
    State& GetState() const { return *fState; }

private:
    std::unique_ptr<State> fState;
};

// Tells the current host (Host::shellExecute) of a web page or document the
// plug-in asks the system to open with ShellExecuteA: the verb, the file or
// address, the show command.
void ReportShellExecute(const char* verb, const char* file, int show);

} // namespace host
