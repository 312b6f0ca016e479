// The fault sweep: an action run with the host's k-th acquisition failing,
// for k = 1, 2, … until a run in which the fault no longer fires (the action
// needed fewer than k acquisitions). After each run every object's reference
// count must be back where it was before the run.
#pragma once

#include "SDKTypes.h"

#include <functional>
#include <string>
#include <utility>

namespace testing_support {

struct FaultSweep {
    FaultSweep(std::string name) : what(std::move(name)) {} // NOLINT: {"what"} reads well

    std::string what; // names the action in failure messages
    // Before each run, outside the fault and before the counts are taken.
    std::function<void()> prepare;
    // After each run, the fault disarmed: told whether it fired, and at which k.
    std::function<void(bool fired, int64 k)> check;
    // Whether the counts after a run must equal those before it; off where a
    // run leaves objects behind by design (a started application, say).
    bool sameReferences = true;
    // A fault still firing at this k fails the test (an action that never
    // runs out of acquisitions would otherwise loop for ever).
    int64 cap = 10000;
};

// Runs the sweep; returns the number of acquisitions the action makes when
// none fails (0 when the cap was reached).
int64 SweepFaults(const FaultSweep& sweep, const std::function<void()>& action);

} // namespace testing_support
