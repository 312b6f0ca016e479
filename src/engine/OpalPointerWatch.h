// How the alpha Opal gives a palette meets the pointer: while the watch is on,
// a palette under the pointer shows opaque, whatever alpha is stored for it.
#pragma once

#include "OSWindows.h"
#include "UIDRef.h"

// The alpha the palette's window is to show now, for the `stored` alpha Opal
// gives it; remembered as the alpha it goes back to once the pointer leaves.
// With no watch on, `stored` itself.
uint8 AlphaUnderPointer(UID palette, HWND window, uint8 stored);
// Opal no longer sets this palette's alpha (opacity switched off): it takes
// no part until its alpha is set again.
void ForgetPaletteUnderPointer(UID palette);
// Shut-down: the watch on, if any, releases all it holds. Asks the host for nothing.
void StopPointerWatch();
