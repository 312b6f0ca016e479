#include "FaultSweep.h"
#include "HostRecorder.h"
#include "HostTestSupport.h"

#include <gtest/gtest-spi.h>

namespace {

using testing_support::SweepFaults;

void AcquireForEver(host::Host& host) {
    while (host.GetFaults().Acquire()) {
    }
}

TEST(FaultSweep, CountsTheActionsAcquisitions_AndFailsAtTheCapInsteadOfHanging) {
    host::Host context;
    int64 runs = 0;
    EXPECT_EQ(SweepFaults(context, {"three"},
                          [&] {
                              ++runs;
                              for (int i = 0; i < 3; ++i)
                                  context.GetFaults().Acquire();
                          }),
              3);
    EXPECT_EQ(runs, 4);

    testing_support::FaultSweep endless("endless");
    endless.cap = 5;
    EXPECT_NONFATAL_FAILURE(SweepFaults(context, endless, [&] { AcquireForEver(context); }),
                            "acquisition 5 still failed");
}

TEST(FaultSweep, FailsWhenAFailureChangesWhatTheNextRunDoes) {
    host::Host context;
    // The action remembers that it once failed: its last run differs from its first.
    bool failedOnce = false;
    testing_support::FaultSweep sweep("remembers");
    sweep.observe = [&] { return std::string(failedOnce ? "changed" : "as first"); };
    EXPECT_NONFATAL_FAILURE(SweepFaults(context, sweep,
                                        [&] {
                                            if (!context.GetFaults().Acquire())
                                                failedOnce = true;
                                        }),
                            "differs from the first run");
}

TEST(FaultSweep, PerClass_CountsReferencesOfReplacedObjects) {
    host::Host context;
    host::ObjectModel& model = context.Model();
    host::Boss* kept = model.CreateBoss(kWorkspaceBoss);
    testing_support::FaultSweep sweep("replaces");
    sweep.accounting = testing_support::FaultSweep::Accounting::kPerClass;
    // A new object in place of the old one passes; one reference too many does not.
    SweepFaults(context, sweep, [&] {
        host::Boss* fresh = model.CreateBoss(kWorkspaceBoss);
        std::swap(kept, fresh);
        fresh->Release();
        context.GetFaults().Acquire();
    });
    EXPECT_NONFATAL_FAILURE(SweepFaults(context, sweep,
                                        [&] {
                                            if (!context.GetFaults().Acquire())
                                                kept->AddRef();
                                        }),
                            "2 references, had 1");
    while (kept->RefCount() > 1)
        kept->Release();
    kept->Release();
}

TEST(HostRecorder, NamesTheFirstDifference) {
    const std::vector<std::string> recorded = {"a", "b", "c"};
    EXPECT_TRUE(testing_support::SameRequests(recorded, {"a", "b", "c"}));
    EXPECT_NONFATAL_FAILURE(EXPECT_TRUE(testing_support::SameRequests(recorded, {"a", "x", "c"})),
                            "request 2: expected x, recorded b");
    EXPECT_NONFATAL_FAILURE(EXPECT_TRUE(testing_support::SameRequests(recorded, {"a", "b"})),
                            "request 3: unexpected c");
    EXPECT_NONFATAL_FAILURE(
        EXPECT_TRUE(testing_support::SameRequests(recorded, {"a", "b", "c", "d"})),
        "request 4: expected d, but the record ends there");
}

} // namespace
