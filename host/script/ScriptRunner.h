// The opalhost command language: one command a line, "#" starts a comment,
// names with spaces in double quotes. After each line the host drains its
// command queue, as the real host does when idle.
#pragma once

#include "script/Session.h"

#include <functional>
#include <iosfwd>
#include <map>
#include <stdexcept>
#include <string>
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
};

using Words = std::vector<std::string>;
using ScriptCommand = std::function<void(ScriptContext&, const Words& args)>;

class ScriptRunner {
public:
    ScriptRunner();
    // `verb` is one or two words ("print resources"); the longest match wins.
    void Add(const std::string& verb, ScriptCommand command);
    // Runs every line; returns the exit status (0, or 2 after a bad line).
    int Run(std::istream& in, ScriptContext& context);
    static Words Split(const std::string& line); // throws ScriptError for an open quote

private:
    std::map<std::string, ScriptCommand> fCommands;
};

// Helpers for commands.
int64 ParseInteger(const std::string& word); // decimal or 0x hex; throws
// As above, and throws for a number outside [min, max].
int64 ParseInteger(const std::string& word, int64 min, int64 max);
// A script's word as an error message shows it: quoted, and cut short.
std::string Shown(const std::string& word);
void ExpectArgs(const Words& args, size_t min, size_t max, const char* usage);
// The panel ID a script word names; throws for a word that names none.
int32 ResolvePanel(const std::string& word);

// Each group of commands registers itself.
void AddResourceCommands(ScriptRunner& runner);
void AddModelCommands(ScriptRunner& runner);
void AddWorldCommands(ScriptRunner& runner);
void AddPanelCommands(ScriptRunner& runner);
void AddPictureCommands(ScriptRunner& runner);
void AddPlaceCommands(ScriptRunner& runner);
void AddMenuCommands(ScriptRunner& runner);

} // namespace host
