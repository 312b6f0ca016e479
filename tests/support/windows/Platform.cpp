#include "Platform.h"

#include <cstring>

namespace testing_support {

bool IsWindowAlive(HWND window) {
    return IsWindow(window) != FALSE;
}

unsigned long ProcessId() {
    return GetCurrentProcessId();
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

bool PutOnSystemClipboard(const std::u16string& text) {
    if (!OpenClipboard(nullptr))
        return false;
    EmptyClipboard();
    const size_t bytes = (text.size() + 1) * sizeof(char16_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    bool put = false;
    if (void* target = memory ? GlobalLock(memory) : nullptr) {
        std::memcpy(target, text.c_str(), bytes);
        GlobalUnlock(memory);
        put = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
    }
    if (!put && memory)
        GlobalFree(memory);
    CloseClipboard();
    return put;
}

std::optional<std::u16string> SystemClipboardHolds() {
    if (!OpenClipboard(nullptr))
        return std::nullopt;
    std::optional<std::u16string> held;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT))
        if (const auto* text = static_cast<const char16_t*>(GlobalLock(data))) {
            held = std::u16string(text, std::char_traits<char16_t>::length(text));
            GlobalUnlock(data);
        }
    CloseClipboard();
    return held;
}

} // namespace testing_support
