// The terminal editor of the Windows build: the console's own line editing
// and history (F7, arrows) serve; the shell only shows the prompt.
#include "script/LineEditor.h"

#include <io.h>

#include <cstdio>
#include <iostream>

namespace host {
namespace {

class ConsoleEditor : public LineEditor {
public:
    explicit ConsoleEditor(std::string prompt) : fPrompt(std::move(prompt)) {}

    std::optional<std::string> ReadLine() override {
        std::fputs(fPrompt.c_str(), stdout);
        std::fflush(stdout);
        std::string line;
        if (!std::getline(std::cin, line))
            return std::nullopt;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        return line;
    }

private:
    std::string fPrompt;
};

} // namespace

std::unique_ptr<LineEditor> OpenTerminalEditor(const std::string& prompt, const std::string&,
                                               Completer) {
    if (!_isatty(_fileno(stdin)) || !_isatty(_fileno(stdout)))
        return nullptr;
    return std::make_unique<ConsoleEditor>(prompt);
}

} // namespace host
