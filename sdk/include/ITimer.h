// Host timer objects (class 0x10d). Armed with a callback, an interval in the
// host clock's units and client data, a timer calls back once per arming.
#pragma once

#include "IPMUnknown.h"

using TimerCallback = int32 (*)(void* clientData);

class ITimer : public IPMUnknown {
public:
    enum { kDefaultIID = IID_ITIMER };
    virtual void Start(TimerCallback callback, int32 interval, void* clientData) = 0;
    virtual void Stop() = 0;
};

// Creates a host object of `classID` and returns its interface `iid` with a
// reference the caller releases, or nullptr.
OPAL_SDK_API IPMUnknown* CreateObject(ClassID classID, PMIID iid);
