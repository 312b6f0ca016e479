#include "script/Session.h"

#include "core/Host.h"

namespace host {

Session::~Session() {
    if (fRunning)
        Stop(true);
}

bool Session::Start(std::string* error) {
    Host& host = Host::Get();
    host.BeginSession();
    if (!host.LoadPlugin(fOptions.pluginFile, error)) {
        host.EndSession();
        return false;
    }
    host.StartApplication();
    fRunning = true;
    return true;
}

void Session::Stop(bool /*save*/) {
    if (!fRunning)
        return;
    Host::Get().EndSession();
    fRunning = false;
}

bool Session::Restart(std::string* error) {
    if (!Save(error))
        return false;
    Stop(false);
    return Start(error);
}

bool Session::Save(std::string* /*error*/) {
    return true;
}

} // namespace host
