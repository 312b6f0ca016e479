#include "Platform.h"

namespace testing_support {

bool IsWindowAlive(HWND window) {
    return IsWindow(window) != FALSE;
}

bool MakeFifo(const std::string&) {
    return false;
}

bool SetMode(const std::string&, unsigned) {
    return false;
}

unsigned ModeOf(const std::string&) {
    return ~0u;
}

} // namespace testing_support
