#include "script/Session.h"

#include "core/Host.h"
#include "persistence/WorkspaceStore.h"

#include <cstdio>

namespace host {

Session::Session(SessionOptions options)
    : fOwnHost(std::make_unique<Host>()), fHost(fOwnHost.get()), fOptions(std::move(options)) {}

Session::Session(SessionOptions options, Host& host) : fHost(&host), fOptions(std::move(options)) {}

Session::~Session() {
    if (fRunning)
        Stop(true);
}

void Session::WorkspaceCreated(Boss& workspace) {
    const std::string warning = fStore->Load(workspace);
    if (!warning.empty())
        std::fprintf(stderr, "%s\n", warning.c_str());
}

void Session::WorkspaceClosing(Boss& workspace) {
    if (!fSaveOnClose)
        return;
    std::string reason;
    fSaveFailed = !fStore->Save(workspace, &reason);
    if (fSaveFailed)
        std::fprintf(stderr, "warning: workspace not saved: %s\n", reason.c_str());
}

bool Session::Start(std::string* error) {
    if (fRunning)
        Stop(true);
    Host& host = *fHost;
    fStore = std::make_unique<WorkspaceStore>(fOptions.workspaceFile);
    fSaveOnClose = true;
    host.Join(*this);
    host.BeginSession();
    if (!host.LoadPlugin(fOptions.pluginFile, error)) {
        host.EndSession();
        host.Leave(*this);
        return false;
    }
    host.StartApplication();
    host.DrainCommands(); // idle once the application is up
    fRunning = true;
    return true;
}

bool Session::Stop(bool save) {
    if (!fRunning)
        return true;
    fSaveOnClose = save;
    fSaveFailed = false;
    fHost->EndSession();
    fHost->Leave(*this);
    fRunning = false;
    return !fSaveFailed;
}

bool Session::Restart(std::string* error) {
    if (!Save(error))
        return false;
    Stop(false);
    return Start(error);
}

bool Session::Save(std::string* error) {
    Boss* workspace = fHost->WorkspaceBoss();
    if (!fRunning || !workspace) {
        *error = "no session is running";
        return false;
    }
    return fStore->Save(*workspace, error);
}

} // namespace host
