// Reading what a person types at a terminal: a prompt, line editing, history
// kept between sessions and completion. Off a terminal, or where the build
// has no line-editing library, lines are read as they come.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace host {

// What completes the word being typed at the end of `before`: each
// candidate replaces the last `partial` bytes.
struct Completion {
    size_t partial = 0;
    std::vector<std::string> candidates;
};
using Completer = std::function<Completion(const std::string& before)>;

class LineEditor {
public:
    virtual ~LineEditor() = default;
    // The next line without its end; nothing at the end of input.
    virtual std::optional<std::string> ReadLine() = 0;
};

// An editor on the terminal, or null when standard input is no terminal.
// `historyFile` may be empty: no history is kept.
std::unique_ptr<LineEditor> OpenTerminalEditor(const std::string& prompt,
                                               const std::string& historyFile, Completer complete);

} // namespace host
