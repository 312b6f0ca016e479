#include "FaultSweep.h"

#include "HostTestSupport.h"

namespace testing_support {

int64 SweepFaults(const FaultSweep& sweep, const std::function<void()>& action) {
    host::Faults& faults = host::Host::Get().GetFaults();
    for (int64 k = 1; k <= sweep.cap; ++k) {
        if (sweep.prepare)
            sweep.prepare();
        const RefSnapshot before = RefSnapshot::Take();
        faults.FailAt(k);
        action();
        const bool fired = faults.Fired();
        faults.Reset();
        if (sweep.sameReferences) {
            EXPECT_REFS_UNCHANGED(before) << sweep.what << ", failing acquisition " << k;
        }
        if (sweep.check)
            sweep.check(fired, k);
        if (!fired)
            return k - 1;
    }
    ADD_FAILURE() << sweep.what << ": acquisition " << sweep.cap
                  << " still failed; the action never ran out of acquisitions";
    return 0;
}

} // namespace testing_support
