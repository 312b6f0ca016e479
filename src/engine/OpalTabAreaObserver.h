// Watches one tab area inside a palette window: whenever its tabs change,
// the window's opacity is decided again.
#pragma once

#include "ISubject.h"

class OpalTabAreaObserver : public CObserver {
public:
    explicit OpalTabAreaObserver(IPMUnknown* boss);

    void Update(const ClassID& theChange, ISubject* theSubject, const PMIID& protocol,
                void* changedBy) override;
    void AutoAttach() override;
    void AutoDetach() override;
};
