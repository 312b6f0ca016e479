// The user's folders on Windows: the roaming application data.
#include "script/UserFolders.h"

#include "core/Text.h"

#include <cstdlib>

namespace host {

std::string DefaultWorkspaceFile() {
    const wchar_t* appData = _wgetenv(L"APPDATA");
    return appData && *appData ? WideToUTF8(appData) + "\\opalhost\\workspace" : std::string();
}

// The console keeps its own history.
std::string HistoryFile() {
    return {};
}

} // namespace host
