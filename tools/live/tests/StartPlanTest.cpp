#include "tools/live/StartPlan.h"

#include <gtest/gtest.h>

TEST(StartPlan, TheAskedMomentAndPauseHoldThroughFailedStartsAndRebuilds) {
    // zplive --start 71.3 --paused, with a broken shader: the show does not
    // play, and each rebuild that fails keeps what was asked.
    StartPlan plan(71.3, true);
    plan.Rebuild(false, 0.0, false);
    plan.Rebuild(false, 0.0, false);
    EXPECT_TRUE(plan.Due());
    EXPECT_DOUBLE_EQ(plan.Time(), 71.3);
    EXPECT_TRUE(plan.Paused());
    plan.Applied();
    EXPECT_FALSE(plan.Due());

    // F5 while playing at 40 s: the rebuild starts there, also after a
    // rebuild in between fails.
    plan.Rebuild(true, 40.0, false);
    plan.Rebuild(false, 0.0, true);
    EXPECT_TRUE(plan.Due());
    EXPECT_DOUBLE_EQ(plan.Time(), 40.0);
    EXPECT_FALSE(plan.Paused());
}
