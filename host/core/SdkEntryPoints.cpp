// The SDK's free functions for commands and persistent changes: each runs in
// the current host.
#include "Host.h"

using host::Host;

void Dirty(const IPMUnknown* object, ImplementationID implID, bool16 markModified) {
    Host::Current().RecordDirty(object, implID, markModified);
}

namespace CmdUtils {

ICommand* CreateCommand(ClassID commandClass) {
    Host& host = Host::Current();
    if (!host.GetFaults().Acquire())
        return nullptr;
    host::Boss* boss = host.Model().CreateBoss(commandClass);
    if (!boss)
        return nullptr;
    auto* command = static_cast<ICommand*>(boss->QueryInternal(IID_ICOMMAND));
    boss->Release();
    return command;
}

ErrorCode ExecuteCommand(ICommand* command) {
    return Host::Current().Execute(command, -1);
}

ErrorCode ScheduleCommand(ICommand* command, int32 priority) {
    if (!command)
        return kFailure;
    Host::Current().Schedule(command, priority);
    return kSuccess;
}

} // namespace CmdUtils
