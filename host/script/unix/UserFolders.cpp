// The user's folders on POSIX systems: the XDG base folders.
#include "script/UserFolders.h"

#include <cstdlib>

namespace host {
namespace {

// An XDG base folder: the variable when it holds an absolute path (a relative
// one is invalid and ignored), else the folder under HOME.
std::string XdgFolder(const char* variable, const char* underHome) {
    const char* folder = std::getenv(variable);
    if (folder && folder[0] == '/')
        return folder;
    const char* home = std::getenv("HOME");
    return home && *home ? std::string(home) + underHome : std::string();
}

} // namespace

std::string DefaultWorkspaceFile() {
    const std::string config = XdgFolder("XDG_CONFIG_HOME", "/.config");
    return config.empty() ? std::string() : config + "/opalhost/workspace";
}

std::string HistoryFile() {
    const std::string state = XdgFolder("XDG_STATE_HOME", "/.local/state");
    return state.empty() ? std::string() : state + "/opalhost/history";
}

} // namespace host
