#include "OpalWindowListObserver.h"

#include "DataInterfaces.h"
#include "ICommand.h"
#include "IWidgets.h"
#include "ImplementationRegistry.h"
#include "InterfacePtr.h"
#include "OpalEngineConstants.h"
#include "OpalID.h"
#include "engine/OpalPanelUtils.h"
#include "frame/OpalHostHelpers.h"

namespace {

bool IsWatchedWindowClass(ClassID cls) {
    return cls == kPaletteFloatingBoss || cls == kPaletteDockedBoss || cls == kPaletteStashBoss ||
           cls == kPaletteOtherBoss;
}

// Only these windows hold tab areas the observer can be attached to.
bool HoldsTabAreas(ClassID cls) {
    return cls == kPaletteFloatingBoss || cls == kPaletteStashBoss;
}

} // namespace

OpalWindowListObserver::OpalWindowListObserver(IPMUnknown* boss)
    : CObserver(boss, kOpalWindowListObserverIID) {}

void OpalWindowListObserver::Update(const ClassID& theChange, ISubject* /*theSubject*/,
                                    const PMIID& /*protocol*/, void* changedBy) {
    const auto* origin = static_cast<const IPMUnknown*>(changedBy);
    if (!origin)
        return;
    const ClassID cls = GetClass(origin);
    if (!IsWatchedWindowClass(cls))
        return;
    InterfacePtr<IPaletteWindow> window(origin, IID_IPALETTEWINDOW);
    if (!window)
        return;

    if (theChange == kWindowShownOrCreatedMsg) {
        SchedulePaletteAlpha(window.get());
        if (HoldsTabAreas(cls) && !ScheduleAttachTabAreaObserver(window.get()))
            return;
    }

    InterfacePtr<ICommand> refresh(CmdUtils::CreateCommand(kOpalUpdatePanelListCmdBoss));
    if (refresh)
        CmdUtils::ScheduleCommand(refresh.get(), kDeferredWorkPriority);
}

void OpalWindowListObserver::AutoAttach() {
    CObserver::AutoAttach();
    AttachToOwnSubject(this, IID_IWINDOWLIST_PROTOCOL);
}

void OpalWindowListObserver::AutoDetach() {
    CObserver::AutoDetach();
    DetachFromOwnSubject(this, IID_IWINDOWLIST_PROTOCOL);
}

CREATE_PMINTERFACE(OpalWindowListObserver, kOpalWindowListObserverImpl);
