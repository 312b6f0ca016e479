#include "OpalWindowListObserver.h"

#include "DataInterfaces.h"
#include "ICommand.h"
#include "IWidgets.h"
#include "ImplementationRegistry.h"
#include "InterfacePtr.h"
#include "OpalEngineConstants.h"
#include "OpalID.h"
#include "engine/OpalPanelUtils.h"

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
        if (HoldsTabAreas(cls)) {
            InterfacePtr<ICommand> attach(
                CmdUtils::CreateCommand(kOpalAttachTabAreaObserverCmdBoss));
            if (!attach)
                return;
            InterfacePtr<IUIDData> paletteData(attach, IID_IUIDDATA);
            if (!paletteData)
                return;
            paletteData->Set(GetUIDRef(window.get()));
            CmdUtils::ScheduleCommand(attach.get(), kDeferredWorkPriority);
        }
    }

    InterfacePtr<ICommand> refresh(CmdUtils::CreateCommand(kOpalUpdatePanelListCmdBoss));
    if (refresh)
        CmdUtils::ScheduleCommand(refresh.get(), kDeferredWorkPriority);
}

void OpalWindowListObserver::AutoAttach() {
    CObserver::AutoAttach();
    InterfacePtr<ISubject> subject(this, IID_ISUBJECT);
    if (!subject)
        return;
    if (!subject->IsAttached(this, IID_IWINDOWLIST_PROTOCOL, kOpalWindowListObserverIID))
        subject->AttachObserver(this, IID_IWINDOWLIST_PROTOCOL, kOpalWindowListObserverIID);
}

void OpalWindowListObserver::AutoDetach() {
    CObserver::AutoDetach();
    InterfacePtr<ISubject> subject(this, IID_ISUBJECT);
    if (!subject)
        return;
    if (subject->IsAttached(this, IID_IWINDOWLIST_PROTOCOL, kOpalWindowListObserverIID))
        subject->DetachObserver(this, IID_IWINDOWLIST_PROTOCOL, kOpalWindowListObserverIID);
}

CREATE_PMINTERFACE(OpalWindowListObserver, kOpalWindowListObserverImpl);
