// A host session as opalhost and the tests run it: load the plug-in, start
// the application, and end or restart it.
#pragma once

#include "SDKTypes.h"

#include <string>

namespace host {

struct SessionOptions {
    std::string pluginFile;
    std::string workspaceFile; // empty: none (the session keeps nothing)
};

class OPAL_SDK_API Session {
public:
    explicit Session(SessionOptions options) : fOptions(std::move(options)) {}
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // Loads the plug-in and starts the application; false with a one-line
    // reason when the plug-in cannot be used.
    bool Start(std::string* error);
    // Ends the session; the workspace is written unless `save` is false.
    void Stop(bool save = true);
    bool Restart(std::string* error);
    bool Running() const { return fRunning; }
    const SessionOptions& Options() const { return fOptions; }

    // Writes the workspace now; false with a reason on failure.
    bool Save(std::string* error);

private:
    SessionOptions fOptions;
    bool fRunning = false;
};

} // namespace host
