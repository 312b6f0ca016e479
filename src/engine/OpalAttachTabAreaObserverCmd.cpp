#include "OpalAttachTabAreaObserverCmd.h"

#include "DataInterfaces.h"
#include "ISubject.h"
#include "IWidgets.h"
#include "ImplementationRegistry.h"
#include "InterfacePtr.h"
#include "OpalEngineConstants.h"
#include "OpalID.h"
#include "engine/OpalPanelUtils.h"

namespace {

// Depth first, children in index order. A container holds at most one tab
// area that counts: the first ends its visit, and nothing below a tab area is
// looked at. An absent child ends the visit of its container.
void CollectTabAreas(const IPanelControlData* container, UIDList& tabAreas) {
    for (int32 i = 0; i < container->Length(); ++i) {
        InterfacePtr<IControlView> child(container->QueryWidget(i));
        if (!child)
            return;
        if (GetClass(child.get()) == kTabAreaBoss) {
            tabAreas.Append(GetUID(child.get()));
            return;
        }
        InterfacePtr<IPanelControlData> grandChildren(child, IID_IPANELCONTROLDATA);
        if (grandChildren)
            CollectTabAreas(grandChildren.get(), tabAreas);
    }
}

} // namespace

OpalAttachTabAreaObserverCmd::OpalAttachTabAreaObserverCmd(IPMUnknown* boss) : Command(boss) {
    SetUndoability(kOpalUndoability);
}

void OpalAttachTabAreaObserverCmd::Do() {
    if (GetCommandState() != kNotDone)
        return;
    InterfacePtr<IUIDData> paletteData(this, IID_IUIDDATA);
    if (!paletteData)
        return;
    IDataBase* db = paletteData->GetItemDataBase();
    if (!db)
        return;
    const UID palette = paletteData->GetItemUID();
    if (!db->IsValidUID(palette))
        return;
    InterfacePtr<IPanelControlData> widgets(
        static_cast<IPanelControlData*>(db->Instantiate(palette, IID_IPANELCONTROLDATA)));
    if (!widgets)
        return;

    UIDList tabAreas(db);
    CollectTabAreas(widgets.get(), tabAreas);

    for (int32 i = 0; i < tabAreas.Length(); ++i) {
        const UIDRef tabArea = tabAreas.GetRef(i);
        InterfacePtr<ISubject> subject(
            static_cast<ISubject*>(db->Instantiate(tabArea.GetUID(), IID_ISUBJECT)));
        if (!subject)
            continue;
        InterfacePtr<IObserver> observer(
            static_cast<IObserver*>(db->Instantiate(tabArea.GetUID(), kOpalTabAreaObserverIID)));
        if (!observer)
            continue;
        // Already watched: the timer asks again on every tick, at no cost.
        if (subject->IsAttached(observer.get(), IID_ITABAREA_PROTOCOL, kOpalTabAreaObserverIID))
            continue;
        subject->AttachObserver(observer.get(), IID_ITABAREA_PROTOCOL, kOpalTabAreaObserverIID);
        InterfacePtr<IPMUnknown> window(db->Instantiate(palette, IID_IPALETTEWINDOW));
        if (window)
            SchedulePaletteAlpha(window.get());
    }
}

PMString* OpalAttachTabAreaObserverCmd::CreateName() {
    return new PMString("Opal Attach TabAreaObserver to kTabAreaBoss", -1, PMString::kNoTranslate);
}

void OpalAttachTabAreaObserverCmd::SetUpTarget() {
    SetTarget(kOpalCommandTarget);
}

CREATE_PMINTERFACE(OpalAttachTabAreaObserverCmd, kOpalAttachTabAreaObserverCmdImpl);
