#include "OpalTimerCallback.h"

#include "DataInterfaces.h"
#include "IApplication.h"
#include "ICommand.h"
#include "IPanelRegistry.h"
#include "ISession.h"
#include "IWidgets.h"
#include "ImplementationRegistry.h"
#include "OpalEngineConstants.h"
#include "OpalID.h"
#include "engine/OpalPanelUtils.h"
#include "frame/OpalSession.h"

OpalTimerCallback::OpalTimerCallback(IPMUnknown* boss) : CPMUnknown<IOpalTimerCallback>(boss) {}

void OpalTimerCallback::StartTimer() {
    if (!fTimer)
        fTimer.reset(static_cast<ITimer*>(CreateObject(kTimerBoss, IID_ITIMER)));
    if (fTimer)
        fTimer->Start(&OnTimerTick, kOpalTimerInterval, fTimer.get());
}

namespace {

// Asks for the tab-area observer on every floating palette. False when a
// command cannot be built: the walk ends there.
bool ScheduleAttachCommands(const IPaletteRegistry* paletteRegistry, IDataBase* db) {
    const int32 count = paletteRegistry->GetPaletteCount();
    for (int32 i = 0; i < count; ++i) {
        InterfacePtr<IPMUnknown> window(
            db->Instantiate(paletteRegistry->GetNthPaletteUID(i), IID_IPALETTEWINDOW));
        // A palette that cannot be reached now must not keep the ones after
        // it from their observer.
        if (!window || GetClass(window.get()) != kPaletteFloatingBoss)
            continue;
        if (!ScheduleAttachTabAreaObserver(window.get()))
            return false;
    }
    return true;
}

} // namespace

int32 OnTimerTick(void* timer) {
    // A tick that cannot reach the host is not re-armed.
    InterfacePtr<IPaletteRegistry> paletteRegistry = QueryPaletteRegistry();
    if (!paletteRegistry)
        return 0;
    IDataBase* db = GetDataBase(paletteRegistry.get());
    if (!db)
        return 0;

    ScheduleAttachCommands(paletteRegistry.get(), db);

    InterfacePtr<ICommand> refresh(CmdUtils::CreateCommand(kOpalUpdatePanelListCmdBoss));
    if (!refresh)
        return 0;
    CmdUtils::ScheduleCommand(refresh.get(), kDeferredWorkPriority);

    if (auto* hostTimer = static_cast<ITimer*>(timer)) {
        hostTimer->Stop();
        hostTimer->Start(&OnTimerTick, kOpalTimerInterval, hostTimer);
    }
    return 0;
}

CREATE_PMINTERFACE(OpalTimerCallback, kOpalTimerCallbackImpl);
