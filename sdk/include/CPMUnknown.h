// Base of implementations: query, add-reference and release go to the boss
// that owns the implementation.
#pragma once

#include "IPMUnknown.h"

template <class Interface> class CPMUnknown : public Interface {
public:
    explicit CPMUnknown(IPMUnknown* boss) : fBoss(boss) {}
    IPMUnknown* QueryInterface(PMIID interfaceID) const override {
        return fBoss->QueryInterface(interfaceID);
    }
    void AddRef() const override { fBoss->AddRef(); }
    void Release() const override { fBoss->Release(); }

protected:
    // The owning boss; an implementation never holds a reference to it.
    IPMUnknown* fBoss;
};
