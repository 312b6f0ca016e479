// The fault sweep: an action run with the host's k-th acquisition failing,
// for k = 1, 2, … until a run in which the fault no longer fires (the action
// needed fewer than k acquisitions). After each run every object's reference
// count must be back where it was before the run.
#pragma once

#include "SDKTypes.h"

#include "core/Host.h"

#include <functional>
#include <string>
#include <utility>

namespace testing_support {

struct FaultSweep {
    FaultSweep(std::string name) : what(std::move(name)) {} // NOLINT: {"what"} reads well

    std::string what; // names the action in failure messages
    // Before each run, outside the fault and before the counts are taken.
    std::function<void()> prepare;
    // After each run, the fault disarmed, before the counts are compared
    // (what the action left for the host to finish, say).
    std::function<void()> settle;
    // After each run, the fault disarmed: told whether it fired, and at which k.
    std::function<void(bool fired, int64 k)> check;
    // What a run left behind that a user would notice (window alphas, the
    // model, what the host was asked), as text. When set, the action first
    // runs once with no fault armed, and the sweep's last run, in which the
    // fault no longer fires, must leave the same: a failure in an earlier run
    // must not have changed what later runs do.
    std::function<std::string()> observe;

    enum class Accounting {
        kPerObject, // every object keeps its count, and no new object stays alive
        // Per class: as many objects with as many references in all, for
        // actions that replace objects by new ones (a re-created palette).
        kPerClass,
        kNone, // a run leaves objects behind by design (a started application)
    };
    Accounting accounting = Accounting::kPerObject;
    // A fault still firing at this k fails the test (an action that never
    // runs out of acquisitions would otherwise loop for ever).
    int64 cap = 10000;
};

// Runs the sweep with the faults of `host`; returns the number of acquisitions the action makes
// when none fails (0 when the cap was reached).
int64 SweepFaults(host::Host& host, const FaultSweep& sweep, const std::function<void()>& action);

} // namespace testing_support
