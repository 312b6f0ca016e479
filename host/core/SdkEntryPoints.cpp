// The SDK's free functions backed by the core: commands, persistent changes,
// objects and their places, the utilities, string translation. The plug-in
// calls them with no host in hand, so they run in the current host; the rest
// of the host is handed its host.
#include "Host.h"
#include "HostClasses.h"
#include "IUtils.h"
#include "PMString.h"

using host::Boss;
using host::Host;

namespace {

// The one way in from the SDK's free functions of the core.
Host& EnteredHost() {
    return Host::Current();
}

// The way in for those that may run with no host at all.
Host* RunningHost() {
    return Host::Running();
}

const Boss* BossOf(const IPMUnknown* object) {
    return object ? EnteredHost().Model().BossOf(object) : nullptr;
}

IPMUnknown* CreateAndQuery(Host& host, ClassID classID, PMIID iid) {
    if (!host.GetFaults().Acquire())
        return nullptr;
    Boss* boss = host.Model().CreateBoss(classID);
    if (!boss)
        return nullptr;
    IPMUnknown* result = boss->QueryInternal(iid);
    boss->Release();
    return result;
}

} // namespace

void Dirty(const IPMUnknown* object, ImplementationID implID, bool16 markModified) {
    EnteredHost().RecordDirty(object, implID, markModified);
}

namespace CmdUtils {

ICommand* CreateCommand(ClassID commandClass) {
    return static_cast<ICommand*>(CreateAndQuery(EnteredHost(), commandClass, IID_ICOMMAND));
}

ErrorCode ExecuteCommand(ICommand* command) {
    return EnteredHost().Execute(command, -1);
}

ErrorCode ScheduleCommand(ICommand* command, int32 priority) {
    if (!command)
        return kFailure;
    EnteredHost().Schedule(command, priority);
    return kSuccess;
}

} // namespace CmdUtils

ClassID GetClass(const IPMUnknown* object) {
    const Boss* boss = BossOf(object);
    return boss ? boss->Class() : kInvalidClass;
}

IDataBase* GetDataBase(const IPMUnknown* object) {
    const Boss* boss = BossOf(object);
    return boss ? boss->DataBase() : nullptr;
}

UID GetUID(const IPMUnknown* object) {
    const Boss* boss = BossOf(object);
    return boss ? boss->GetUID() : kInvalidUID;
}

UIDRef GetUIDRef(const IPMUnknown* object) {
    return UIDRef(GetDataBase(object), GetUID(object));
}

IPMUnknown* CreateObject(ClassID classID, PMIID iid) {
    return CreateAndQuery(EnteredHost(), classID, iid);
}

IPMUnknown* UtilsBoss::QueryUtils(PMIID iid) {
    return CreateAndQuery(EnteredHost(), host::kUtilsBoss, iid);
}

void PMString::Translate() {
    if (fStatus == kNoTranslate)
        return;
    // A string may be translated with no host at all (a tool, a test of the
    // strings): it stays as it is.
    if (const Host* host = RunningHost())
        if (auto text = host->TranslateKey(fText))
            fText = *text;
    fStatus = kHasBeenTranslated;
}

void host::ReportShellExecute(const char* verb, const char* file, int show) {
    if (Host* host = RunningHost())
        host->shellExecute.Publish({verb ? verb : "", file ? file : "", show});
}
