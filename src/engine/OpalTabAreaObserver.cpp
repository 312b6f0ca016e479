#include "OpalTabAreaObserver.h"

#include "IUtils.h"
#include "ImplementationRegistry.h"
#include "InterfacePtr.h"
#include "OpalID.h"
#include "engine/OpalPanelUtils.h"

OpalTabAreaObserver::OpalTabAreaObserver(IPMUnknown* boss)
    : CObserver(boss, kOpalTabAreaObserverIID) {}

void OpalTabAreaObserver::Update(const ClassID& /*theChange*/, ISubject* theSubject,
                                 const PMIID& /*protocol*/, void* /*changedBy*/) {
    InterfacePtr<IUtils> utils(UtilsBoss::QueryUtils<IUtils>());
    if (!utils)
        return;
    InterfacePtr<IPMUnknown> palette(utils->QueryPaletteOfWidget(theSubject));
    if (palette)
        SchedulePaletteAlpha(palette.get());
}

void OpalTabAreaObserver::AutoAttach() {
    CObserver::AutoAttach();
    InterfacePtr<ISubject> subject(this, IID_ISUBJECT);
    if (!subject)
        return;
    if (!subject->IsAttached(this, IID_ITABAREA_PROTOCOL, kOpalTabAreaObserverIID))
        subject->AttachObserver(this, IID_ITABAREA_PROTOCOL, kOpalTabAreaObserverIID);
}

void OpalTabAreaObserver::AutoDetach() {
    CObserver::AutoDetach();
    InterfacePtr<ISubject> subject(this, IID_ISUBJECT);
    if (!subject)
        return;
    if (subject->IsAttached(this, IID_ITABAREA_PROTOCOL, kOpalTabAreaObserverIID))
        subject->DetachObserver(this, IID_ITABAREA_PROTOCOL, kOpalTabAreaObserverIID);
}

CREATE_PMINTERFACE(OpalTabAreaObserver, kOpalTabAreaObserverImpl);
