// Watches the host's window list on the application object: a palette window
// shown, created or otherwise changed gets its opacity again, and the Opal
// panel's list is refreshed.
#pragma once

#include "ISubject.h"

class OpalWindowListObserver : public CObserver {
public:
    explicit OpalWindowListObserver(IPMUnknown* boss);

    void Update(const ClassID& theChange, ISubject* theSubject, const PMIID& protocol,
                void* changedBy) override;
    void AutoAttach() override;
    void AutoDetach() override;
};
