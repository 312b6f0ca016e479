// The clipboard the host's text field cuts, copies and pastes with. On
// Windows it is the system's clipboard (Unicode text); elsewhere the host
// keeps the text itself, so a copy and a paste in one session meet.
#pragma once

#include "core/Host.h"
#include "core/Layer.h"

#include <optional>
#include <string>

namespace host::ui {

class OPAL_SDK_API Clipboard final : public Layer {
public:
    static constexpr size_t kSlot = 5;
    explicit Clipboard(Host& /*host*/) {}

    std::string Text() const;
    void SetText(const std::string& utf8);

private:
    std::string fText; // where there is no system clipboard
};

// The platform's clipboard (ui/unix, ui/windows): nothing, or false, where
// there is none to use.
std::optional<std::string> SystemClipboardText();
bool SetSystemClipboardText(const std::string& utf8);

} // namespace host::ui
