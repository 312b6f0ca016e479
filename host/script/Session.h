// A host session as opalhost and the tests run it: load the plug-in, start
// the application, and end or restart it, with the workspace kept in its file.
// The session owns its host context (core/Host.h), current from the
// session's construction to its end; a restart keeps it, and with it the
// world's description.
#pragma once

#include "SDKTypes.h"
#include "core/Host.h"
#include "core/Layer.h"

#include <memory>
#include <string>

namespace host {

class WorkspaceStore;

struct SessionOptions {
    std::string pluginFile;
    std::string workspaceFile; // empty: none (the session keeps nothing)
};

class Session final : private Layer {
public:
    // In a host of its own.
    explicit Session(SessionOptions options);
    // In `host`, which outlives the session (a test's, shared by sessions).
    Session(SessionOptions options, Host& host);
    ~Session() override;
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // Loads the plug-in, starts the application and reads the workspace file
    // into the new workspace (a damaged file is reported on standard error
    // and set aside); false with a one-line reason when the plug-in cannot
    // be used.
    bool Start(std::string* error);
    // Ends the session; the workspace is written unless `save` is false.
    // False when it was to be written and could not be (the reason is on
    // standard error).
    bool Stop(bool save = true);
    // Saves, ends the session and starts a new one that reads the file back.
    bool Restart(std::string* error);
    bool Running() const { return fRunning; }
    const SessionOptions& Options() const { return fOptions; }
    Host& GetHost() { return *fHost; }

    // Writes the workspace now; false with a reason on failure.
    bool Save(std::string* error);

private:
    // While it runs, the session reads the new workspace from its file and
    // writes it back as it closes.
    void WorkspaceCreated(Boss& workspace) override;
    void WorkspaceClosing(Boss& workspace) override;

    std::unique_ptr<Host> fOwnHost;
    Host* fHost;
    SessionOptions fOptions;
    bool fRunning = false;
    bool fSaveOnClose = true;
    bool fSaveFailed = false;
    std::unique_ptr<WorkspaceStore> fStore;
};

} // namespace host
