// Whether palettes turn opaque while the pointer is over them, on the
// workspace object. A record of its own, so that workspaces written before
// the option existed read as they always did, with the option off.
#pragma once

#include "IPMUnknown.h"
#include "OpalID.h"

class IOpalPointerOptions : public IPMUnknown {
public:
    enum { kDefaultIID = kOpalPointerOptionsIID };
    virtual bool16 GetOpaqueUnderPointer() const = 0;
    virtual void SetOpaqueUnderPointer(bool16 on) = 0;
};
