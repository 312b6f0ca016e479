#include "FaultSweep.h"
#include "HostRecorder.h"
#include "HostTestSupport.h"

#include <gtest/gtest-spi.h>

namespace {

using testing_support::SweepFaults;

void AcquireForEver() {
    while (host::Host::Get().GetFaults().Acquire()) {
    }
}

TEST(FaultSweep, CountsTheActionsAcquisitions_AndFailsAtTheCapInsteadOfHanging) {
    int64 runs = 0;
    EXPECT_EQ(SweepFaults({"three"},
                          [&] {
                              ++runs;
                              for (int i = 0; i < 3; ++i)
                                  host::Host::Get().GetFaults().Acquire();
                          }),
              3);
    EXPECT_EQ(runs, 4);

    testing_support::FaultSweep endless("endless");
    endless.cap = 5;
    EXPECT_NONFATAL_FAILURE(SweepFaults(endless, AcquireForEver), "acquisition 5 still failed");
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
