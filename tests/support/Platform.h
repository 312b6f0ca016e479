// What tests need that differs by platform, one file per platform in unix/
// and windows/.
#pragma once

#include "OSWindows.h"

#include <optional>
#include <string>

namespace testing_support {

// Whether the window exists: a stand-in window off Windows, a real one on it.
bool IsWindowAlive(HWND window);

// FIFOs and mode bits, which only POSIX systems have. On Windows each reports
// failure; the tests that need them are listed in tests/windows-skips.cmake.
bool MakeFifo(const std::string& path);
bool SetMode(const std::string& path, unsigned mode);
// The permission bits (07777), or ~0u when the file cannot be read.
unsigned ModeOf(const std::string& path);

// This process's ID.
unsigned long ProcessId();

// Puts Unicode text on the system clipboard, as another program does. False
// where there is no system clipboard (off Windows the host keeps the text).
bool PutOnSystemClipboard(const std::u16string& text);
// What the system clipboard holds as Unicode text; nothing where there is none.
std::optional<std::u16string> SystemClipboardHolds();

} // namespace testing_support
