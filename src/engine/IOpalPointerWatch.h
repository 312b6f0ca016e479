// Palettes opaque under the pointer: what the option installs while it is
// on, on the workspace object.
#pragma once

#include "IPMUnknown.h"
#include "OpalID.h"

class IOpalPointerWatch : public IPMUnknown {
public:
    enum { kDefaultIID = kOpalPointerWatchIID };
    // On: learns of the pointer from the host's mouse messages. Off: every
    // palette goes back to its stored alpha at once and everything acquired
    // for the watch is released.
    virtual void Follow(bool16 on) = 0;
    virtual bool16 IsFollowing() const = 0;
};
