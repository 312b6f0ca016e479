#include "Platform.h"

#include "OSWindows.h"

#include <sys/stat.h>
#include <unistd.h>

namespace testing_support {

bool IsWindowAlive(HWND window) {
    // The current host's stand-in window system answers.
    return IsWindow(window) != FALSE;
}

bool MakeFifo(const std::string& path) {
    return mkfifo(path.c_str(), 0644) == 0;
}

bool SetMode(const std::string& path, unsigned mode) {
    return chmod(path.c_str(), static_cast<mode_t>(mode)) == 0;
}

unsigned ModeOf(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 ? static_cast<unsigned>(st.st_mode & 07777) : ~0u;
}

unsigned long ProcessId() {
    return static_cast<unsigned long>(getpid());
}

bool PutOnSystemClipboard(const std::u16string&) {
    return false;
}

std::optional<std::u16string> SystemClipboardHolds() {
    return std::nullopt;
}

} // namespace testing_support
