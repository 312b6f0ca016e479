// No system clipboard here: the host keeps the text (ui/Clipboard.h).
#include "ui/Clipboard.h"

namespace host::ui {

std::optional<std::string> SystemClipboardText() {
    return std::nullopt;
}

bool SetSystemClipboardText(const std::string& /*utf8*/) {
    return false;
}

} // namespace host::ui
