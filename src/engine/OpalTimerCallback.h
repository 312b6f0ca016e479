// The periodic pass over the host's palettes, on the workspace object: it
// catches palettes the observers missed and keeps the Opal panel's list current.
#pragma once

#include "CPMUnknown.h"
#include "ITimer.h"
#include "InterfacePtr.h"
#include "engine/IOpalTimerCallback.h"

class OpalTimerCallback : public CPMUnknown<IOpalTimerCallback> {
public:
    explicit OpalTimerCallback(IPMUnknown* boss);
    // Releases the timer without stopping it.
    ~OpalTimerCallback() override = default;

    void StartTimer() override;

private:
    InterfacePtr<ITimer> fTimer;
};

// One tick; `timer` is the host timer that fired, re-armed on success.
int32 OnTimerTick(void* timer);
