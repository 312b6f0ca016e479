#include "script/Session.h"

#include "core/Host.h"
#include "persistence/WorkspaceStore.h"

#include <cstdio>

namespace host {

Session::Session(SessionOptions options) : fOptions(std::move(options)) {}

Session::~Session() {
    if (fRunning)
        Stop(true);
}

bool Session::Start(std::string* error) {
    if (fRunning)
        Stop(true);
    Host& host = Host::Get();
    fStore = std::make_unique<WorkspaceStore>(fOptions.workspaceFile);
    fSaveOnClose = true;
    host.onWorkspaceCreated = [this](Boss& workspace) {
        const std::string warning = fStore->Load(workspace);
        if (!warning.empty())
            std::fprintf(stderr, "%s\n", warning.c_str());
    };
    host.onWorkspaceClosing = [this](Boss& workspace) {
        if (!fSaveOnClose)
            return;
        std::string reason;
        fSaveFailed = !fStore->Save(workspace, &reason);
        if (fSaveFailed)
            std::fprintf(stderr, "warning: workspace not saved: %s\n", reason.c_str());
    };
    host.BeginSession();
    if (!host.LoadPlugin(fOptions.pluginFile, error)) {
        host.EndSession();
        DetachFromHost();
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
    Host::Get().EndSession();
    DetachFromHost();
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
    Boss* workspace = Host::Get().WorkspaceBoss();
    if (!fRunning || !workspace) {
        *error = "no session is running";
        return false;
    }
    return fStore->Save(*workspace, error);
}

void Session::DetachFromHost() {
    Host& host = Host::Get();
    host.onWorkspaceCreated = nullptr;
    host.onWorkspaceClosing = nullptr;
}

} // namespace host
