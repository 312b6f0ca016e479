// The live application (opalhost --live): the host session in real windows
// of the window system, used by mouse and keyboard, and driven by command
// lines from a script and then from standard input. Windows only; other
// builds say so and refuse.
#pragma once

#include <iosfwd>

namespace host {

class Session;
class ScriptRunner;

namespace live {

// Whether this build has live windows.
bool Available();

// Runs the script (may be null), then the command lines of standard input,
// with the windows shown and the message loop running, until `quit`, the end
// of input or the document window closes. Returns 0, or 2 when the script
// had a bad line (the session then ends without running standard input).
int Run(Session& session, ScriptRunner& runner, std::istream* script);

} // namespace live
} // namespace host
