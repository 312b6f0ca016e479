// Where opalhost keeps what belongs to its user.
#pragma once

#include <string>

namespace host {

// The workspace when no file is given: $XDG_CONFIG_HOME/opalhost/workspace,
// else ~/.config/opalhost/workspace, and %APPDATA%\opalhost\workspace on
// Windows. Empty when there is no such folder.
std::string DefaultWorkspaceFile();

// The shell's history: $XDG_STATE_HOME/opalhost/history, else
// ~/.local/state/opalhost/history. Empty on Windows, whose console keeps its
// own, and when there is no such folder.
std::string HistoryFile();

} // namespace host
