// Fault injection: each armed fault counts the calls from when it is armed, on its own, and
// vexa-sim's own work passes no checkpoint.
#include <gtest/gtest.h>

#include "sim/host/faults.h"

namespace {

TEST(Faults, SeveralFaultsOnOneOperationCountIndependently) {
    sim::clearFaults();
    sim::armFault("readRow", 1, 5);
    sim::armFault("readRow", 2, 6);
    EXPECT_EQ(sim::checkpoint("readRow"), 5);
    EXPECT_EQ(sim::checkpoint("readRow"), 6) << "the first fault firing hid the call";
    EXPECT_EQ(sim::checkpoint("readRow"), 0);
    sim::armFault("readRow", 1, 7);  // counted from now, not from the first call
    EXPECT_EQ(sim::checkpoint("readRow"), 7);
    EXPECT_TRUE(sim::unfiredFaults().empty());
    sim::clearFaults();
}

TEST(Faults, SuspendedWorkIsNeitherCountedNorFailedAndUnfiredFaultsAreKnown) {
    sim::clearFaults();
    sim::armFault("*", 2, 5);
    EXPECT_EQ(sim::checkpoint("getAt"), 0);
    {
        const sim::FaultsSuspended own;
        const sim::FaultsSuspended nested;
        EXPECT_EQ(sim::checkpoint("getCurrentSymbolStd"), 0);
    }
    EXPECT_EQ(sim::checkpointCounts().count("getCurrentSymbolStd"), 0u);
    const std::vector<sim::UnfiredFault> unfired = sim::unfiredFaults();
    ASSERT_EQ(unfired.size(), 1u);
    EXPECT_EQ(unfired[0].operation, "*");
    EXPECT_EQ(unfired[0].seen, 1);
    EXPECT_EQ(sim::checkpoint("close"), 5) << "the fault waits for the module's next call";
    sim::clearFaults();
    EXPECT_TRUE(sim::isFaultOperation("writeRow"));
    EXPECT_FALSE(sim::isFaultOperation("writerow"));
}

}  // namespace
