// The system clipboard's Unicode text.
#include "OSWindows.h"
#include "core/Text.h"
#include "ui/Clipboard.h"

#include <cstring>

namespace host::ui {

namespace {

// Open for as long as it lives; a clipboard another program holds is not
// waited for.
class OpenClipboardHold {
public:
    OpenClipboardHold() : fOpen(OpenClipboard(nullptr) != FALSE) {}
    ~OpenClipboardHold() {
        if (fOpen)
            CloseClipboard();
    }
    OpenClipboardHold(const OpenClipboardHold&) = delete;
    OpenClipboardHold& operator=(const OpenClipboardHold&) = delete;
    bool IsOpen() const { return fOpen; }

private:
    bool fOpen;
};

} // namespace

std::optional<std::string> SystemClipboardText() {
    OpenClipboardHold hold;
    if (!hold.IsOpen())
        return std::string();
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    if (!data)
        return std::string();
    const auto* text = static_cast<const wchar_t*>(GlobalLock(data));
    if (!text)
        return std::string();
    // Another program may have left out the terminating zero: read no further
    // than the memory it gave.
    const size_t most = GlobalSize(data) / sizeof(wchar_t);
    std::u16string utf16(reinterpret_cast<const char16_t*>(text), wcsnlen(text, most));
    GlobalUnlock(data);
    return UTF16ToUTF8(utf16);
}

bool SetSystemClipboardText(const std::string& utf8) {
    const std::u16string utf16 = UTF8ToUTF16(utf8);
    OpenClipboardHold hold;
    if (!hold.IsOpen())
        return true; // another program holds it: nothing copied, as on Windows
    EmptyClipboard();
    const size_t bytes = (utf16.size() + 1) * sizeof(char16_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!memory)
        return true;
    if (void* target = GlobalLock(memory)) {
        std::memcpy(target, utf16.c_str(), bytes);
        GlobalUnlock(memory);
        if (SetClipboardData(CF_UNICODETEXT, memory))
            return true; // the clipboard owns it now
    }
    GlobalFree(memory);
    return true;
}

} // namespace host::ui
