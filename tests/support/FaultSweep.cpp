#include "FaultSweep.h"

#include "HostTestSupport.h"

namespace testing_support {
namespace {

// Runs the action once with the k-th acquisition failing (k < 0: none) and
// checks the accounting; returns whether the fault fired.
bool RunOnce(host::Host& host, const FaultSweep& sweep, const std::function<void()>& action,
             int64 k) {
    host::Faults& faults = host.GetFaults();
    if (sweep.prepare)
        sweep.prepare();
    const RefSnapshot before = RefSnapshot::Take(host);
    const ClassSnapshot classesBefore = ClassSnapshot::Take(host);
    faults.FailAt(k);
    action();
    const bool fired = faults.Fired();
    faults.Reset();
    if (sweep.settle)
        sweep.settle();
    const std::string run = k < 0 ? std::string(", no failing acquisition")
                                  : ", failing acquisition " + std::to_string(k);
    switch (sweep.accounting) {
    case FaultSweep::Accounting::kPerObject:
        EXPECT_REFS_UNCHANGED(before) << sweep.what << run;
        break;
    case FaultSweep::Accounting::kPerClass:
        EXPECT_CLASS_REFS_UNCHANGED(classesBefore) << sweep.what << run;
        break;
    case FaultSweep::Accounting::kNone:
        break;
    }
    return fired;
}

} // namespace

int64 SweepFaults(host::Host& host, const FaultSweep& sweep, const std::function<void()>& action) {
    std::string normal;
    if (sweep.observe) {
        RunOnce(host, sweep, action, -1);
        normal = sweep.observe();
    }
    for (int64 k = 1; k <= sweep.cap; ++k) {
        const bool fired = RunOnce(host, sweep, action, k);
        if (sweep.check)
            sweep.check(fired, k);
        if (!fired) {
            if (sweep.observe) {
                EXPECT_EQ(sweep.observe(), normal)
                    << sweep.what << ": after failing runs, a run without a failure "
                    << "differs from the first run";
            }
            return k - 1;
        }
    }
    ADD_FAILURE() << sweep.what << ": acquisition " << sweep.cap
                  << " still failed; the action never ran out of acquisitions";
    return 0;
}

} // namespace testing_support
