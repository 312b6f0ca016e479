// The terminal editor of the Windows build: the console's own line editing
// and history (arrows, F7) serve; the shell shows the prompt, and Ctrl-C
// abandons the line being typed instead of ending the session.
#include "script/LineEditor.h"

#include <io.h>
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <iostream>

namespace host {
namespace {

std::atomic<bool> gInterrupted{false};

BOOL WINAPI OnConsoleControl(DWORD event) {
    if (event != CTRL_C_EVENT)
        return FALSE;
    gInterrupted = true;
    return TRUE;
}

class ConsoleEditor : public LineEditor {
public:
    explicit ConsoleEditor(std::string prompt) : fPrompt(std::move(prompt)) {
        SetConsoleCtrlHandler(OnConsoleControl, TRUE);
    }
    ~ConsoleEditor() override { SetConsoleCtrlHandler(OnConsoleControl, FALSE); }
    ConsoleEditor(const ConsoleEditor&) = delete;
    ConsoleEditor& operator=(const ConsoleEditor&) = delete;

    std::optional<std::string> ReadLine() override {
        for (;;) {
            std::fputs(fPrompt.c_str(), stdout);
            std::fflush(stdout);
            std::string line;
            const bool read = static_cast<bool>(std::getline(std::cin, line));
            // The console ends the read it was in when Ctrl-C is pressed.
            if (gInterrupted.exchange(false)) {
                std::cin.clear();
                std::fputs("^C\n", stdout);
                continue;
            }
            if (!read)
                return std::nullopt;
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            return line;
        }
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
