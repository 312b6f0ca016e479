// opalhost's interactive shell (-i): lines as a person types them. A bad line
// is reported and not run, and the session goes on until quit, exit or the
// end of input.
#pragma once

#include "script/LineEditor.h"
#include "script/ScriptRunner.h"

#include <iosfwd>

namespace host {

// Runs the shell; lines come from the terminal editor when there is one, else
// from `in`. Returns the exit status: 0.
int RunShell(ScriptRunner& runner, ScriptContext& context, std::istream& in,
             const std::string& historyFile);

// What completes the word at the end of `before`: command words, the fixed
// words of the command's usage, and the names in the world.
// `host`'s world.
Completion CompleteWord(const ScriptRunner& runner, Host& host, const std::string& before);

} // namespace host
