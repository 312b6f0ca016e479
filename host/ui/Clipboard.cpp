#include "ui/Clipboard.h"

namespace host::ui {

std::string Clipboard::Text() const {
    if (auto text = SystemClipboardText())
        return *text;
    return fText;
}

void Clipboard::SetText(const std::string& utf8) {
    if (!SetSystemClipboardText(utf8))
        fText = utf8;
}

} // namespace host::ui
