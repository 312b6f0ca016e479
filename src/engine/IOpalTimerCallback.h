// The periodic pass over the host's palettes, on the workspace object.
#pragma once

#include "IPMUnknown.h"
#include "OpalID.h"

class IOpalTimerCallback : public IPMUnknown {
public:
    enum { kDefaultIID = kOpalTimerCallbackIID };
    // Creates the host timer once and arms the periodic tick.
    virtual void StartTimer() = 0;
};
