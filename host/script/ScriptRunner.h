// The opalhost command language: one command a line; "#" at the start of a
// word starts a comment; names with spaces in double quotes, in which a
// backslash keeps a following quote or backslash. After each line the host
// drains its command queue, as the real host does when idle.
#pragma once

#include "script/Session.h"

#include <functional>
#include <iosfwd>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace host {

// Thrown by a command for a bad line; the runner reports it with the line number.
struct ScriptError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct ScriptContext {
    Session& session;
    std::ostream& out;
    std::ostream& err;
    const char* usage = nullptr; // the running command's usage line
    bool quit = false;           // set by quit and exit: no more lines are run
    // Where `pointer X Y` put the pointer; none while it is away.
    std::optional<std::pair<int32, int32>> pointer = std::nullopt;
    Subscription trace{}; // the host's trace while `trace on`, until the run ends
    Subscription crash{}; // `simulate crash-before-rename`, armed
};

using Words = std::vector<std::string>;
using ScriptCommand = std::function<void(ScriptContext&, const Words& args)>;

class ScriptRunner {
public:
    // Every command of the command table.
    ScriptRunner();
    // Replaces or adds a command; `verb` is one or two words ("print resources").
    void Add(const std::string& verb, ScriptCommand command);
    // Runs every line, stopping at the first bad one; returns the exit status
    // (0, or 2 after a bad line). A UTF-8 byte-order mark before the first
    // line is skipped.
    int Run(std::istream& in, ScriptContext& context);
    // Runs lines as a person types them, until quit or the end of input: a
    // bad line is reported (with its number when `numbered`) and the session
    // goes on. Returns 0.
    int RunSession(const std::function<std::optional<std::string>()>& nextLine,
                   ScriptContext& context, bool numbered);
    // Runs one line; throws ScriptError for a bad one, which is then not run.
    void RunLine(const std::string& line, ScriptContext& context);
    // The verbs, sorted, for completion.
    std::vector<std::string> Verbs() const;
    static Words Split(const std::string& line); // throws ScriptError for an open quote

private:
    struct Entry {
        const char* usage;
        ScriptCommand run;
    };
    std::map<std::string, Entry> fCommands;
};

// Helpers for commands.
int64 ParseInteger(const std::string& word); // decimal or 0x hex; throws
// As above, and throws for a number outside [min, max].
int64 ParseInteger(const std::string& word, int64 min, int64 max);
// A script's word as an error message shows it: quoted, and cut short.
std::string Shown(const std::string& word);
// A name as a script would write it: quoted when it must be.
std::string Quoted(const std::string& name);
// Throws "usage: …" with the running command's usage unless min <= count <= max.
void ExpectArgs(const ScriptContext& c, const Words& args, size_t min, size_t max);
[[noreturn]] void ThrowUsage(const ScriptContext& c);
void ExpectArgs(const Words& args, size_t min, size_t max, const char* usage);
// The panel ID a script word names; throws for a word that names none.
int32 ResolvePanel(const Host& host, const std::string& word);

} // namespace host
