#include "script/UserFolders.h"

#include <cstdlib>

#if defined(_WIN32)
#include "core/Text.h"
#endif

namespace host {
namespace {

std::string Environment(const char* name) {
#if defined(_WIN32)
    const wchar_t* value = _wgetenv(UTF8ToWide(name).c_str());
    return value ? WideToUTF8(value) : std::string();
#else
    const char* value = std::getenv(name);
    return value ? value : std::string();
#endif
}

#if !defined(_WIN32)
// An XDG base folder: the variable when it holds an absolute path (a relative
// one is invalid and ignored), else the folder under HOME.
std::string XdgFolder(const char* variable, const char* underHome) {
    const std::string folder = Environment(variable);
    if (!folder.empty() && folder[0] == '/')
        return folder;
    const std::string home = Environment("HOME");
    return home.empty() ? std::string() : home + underHome;
}
#endif

} // namespace

std::string DefaultWorkspaceFile() {
#if defined(_WIN32)
    const std::string appData = Environment("APPDATA");
    return appData.empty() ? std::string() : appData + "\\opalhost\\workspace";
#else
    const std::string config = XdgFolder("XDG_CONFIG_HOME", "/.config");
    return config.empty() ? std::string() : config + "/opalhost/workspace";
#endif
}

std::string HistoryFile() {
#if defined(_WIN32)
    return {};
#else
    const std::string state = XdgFolder("XDG_STATE_HOME", "/.local/state");
    return state.empty() ? std::string() : state + "/opalhost/history";
#endif
}

} // namespace host
