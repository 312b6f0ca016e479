#include "OpalTabAreaObserver.h"

#include "IUtils.h"
#include "ImplementationRegistry.h"
#include "InterfacePtr.h"
#include "OpalID.h"
#include "engine/OpalPanelUtils.h"
#include "frame/OpalHostHelpers.h"

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
    AttachToOwnSubject(this, IID_ITABAREA_PROTOCOL);
}

void OpalTabAreaObserver::AutoDetach() {
    CObserver::AutoDetach();
    DetachFromOwnSubject(this, IID_ITABAREA_PROTOCOL);
}

CREATE_PMINTERFACE(OpalTabAreaObserver, kOpalTabAreaObserverImpl);
