#include "tools/live/ScrubBar.h"

#include <gtest/gtest.h>

namespace {

// A 200-second show over 400 pixels starting at x = 100: 2 px a second.
const ScrubScale kScale{100.0f, 400.0f, 200.0};

TEST(ScrubScaleTest, MapsAMouseXToTheTimeUnderIt) {
    EXPECT_DOUBLE_EQ(kScale.TimeAt(100.0f), 0.0);
    EXPECT_DOUBLE_EQ(kScale.TimeAt(300.0f), 100.0);
    EXPECT_DOUBLE_EQ(kScale.TimeAt(500.0f), 200.0);
    EXPECT_DOUBLE_EQ(kScale.TimeAt(101.0f), 0.5);
}

TEST(ScrubScaleTest, ADragPastEitherEndHoldsAtTheShowsEdges) {
    EXPECT_DOUBLE_EQ(kScale.TimeAt(-50.0f), 0.0);
    EXPECT_DOUBLE_EQ(kScale.TimeAt(99.0f), 0.0);
    EXPECT_DOUBLE_EQ(kScale.TimeAt(501.0f), 200.0);
    EXPECT_DOUBLE_EQ(kScale.TimeAt(5000.0f), 200.0);
    EXPECT_FLOAT_EQ(kScale.XAt(-3.0), 100.0f);
    EXPECT_FLOAT_EQ(kScale.XAt(250.0), 500.0f);
}

TEST(ScrubScaleTest, TimeAndPositionAreInverse) {
    for (double time : {0.0, 0.25, 13.37, 99.5, 150.0, 200.0}) {
        float x = kScale.XAt(time);
        EXPECT_NEAR(kScale.TimeAt(x), time, 1e-4) << time;
    }
    for (float x : {100.0f, 123.5f, 317.0f, 499.0f})
        EXPECT_NEAR(kScale.XAt(kScale.TimeAt(x)), x, 1e-3f) << x;
}

TEST(ScrubScaleTest, AnEmptyShowOrStripSeeksToTheStart) {
    const ScrubScale noShow{100.0f, 400.0f, 0.0};
    const ScrubScale noStrip{100.0f, 0.0f, 200.0};
    EXPECT_DOUBLE_EQ(noShow.TimeAt(300.0f), 0.0);
    EXPECT_DOUBLE_EQ(noStrip.TimeAt(300.0f), 0.0);
    EXPECT_FLOAT_EQ(noShow.XAt(50.0), 100.0f);
    EXPECT_FLOAT_EQ(noStrip.XAt(50.0), 100.0f);
}

TEST(PatternTicksTest, MarksEveryPatternWhenThereIsRoom) {
    // 10-second patterns are 20 px apart.
    int stride = 0;
    std::vector<double> ticks = PatternTicks(kScale, 10.0, 6.0f, &stride);
    EXPECT_EQ(stride, 1);
    ASSERT_EQ(ticks.size(), 21u);  // 0, 10, ..., 200: the end is a pattern start too
    EXPECT_DOUBLE_EQ(ticks.front(), 0.0);
    EXPECT_DOUBLE_EQ(ticks[7], 70.0);
    EXPECT_DOUBLE_EQ(ticks.back(), 200.0);
}

TEST(PatternTicksTest, ThinsCrowdedPatternsByPowersOfTwo) {
    // 1-second patterns are 2 px apart: every fourth one is 8 px apart.
    int stride = 0;
    std::vector<double> ticks = PatternTicks(kScale, 1.0, 6.0f, &stride);
    EXPECT_EQ(stride, 4);
    ASSERT_EQ(ticks.size(), 51u);
    EXPECT_DOUBLE_EQ(ticks[1], 4.0);
    EXPECT_DOUBLE_EQ(ticks.back(), 200.0);
}

TEST(PatternTicksTest, APatternThatDoesNotDivideTheShowStopsBeforeItsEnd) {
    std::vector<double> ticks = PatternTicks(kScale, 3.0, 1.0f);
    ASSERT_FALSE(ticks.empty());
    EXPECT_DOUBLE_EQ(ticks.back(), 198.0);
    // 0.3 / 0.1 falls a hair short of 3 in binary: the end is still marked.
    const ScrubScale show{0.0f, 1000.0f, 0.3};
    std::vector<double> tenths = PatternTicks(show, 0.1, 1.0f);
    ASSERT_EQ(tenths.size(), 4u);
    EXPECT_NEAR(tenths.back(), 0.3, 1e-12);
}

TEST(PatternTicksTest, NoTicksWithoutATempoOrAStrip) {
    int stride = 7;
    EXPECT_TRUE(PatternTicks(kScale, 0.0, 6.0f, &stride).empty());
    EXPECT_EQ(stride, 0);
    EXPECT_TRUE(PatternTicks(kScale, -2.0, 6.0f).empty());
    EXPECT_TRUE(PatternTicks(ScrubScale{0.0f, 0.0f, 200.0}, 10.0, 6.0f).empty());
    EXPECT_TRUE(PatternTicks(ScrubScale{0.0f, 400.0f, 0.0}, 10.0, 6.0f).empty());
    // Nanosecond patterns thin out to a tick a second or so; shorter ones
    // are not marked at all rather than by the million.
    std::vector<double> coarse = PatternTicks(kScale, 1e-9, 1.0f, &stride);
    EXPECT_EQ(stride, 1 << 29);
    EXPECT_LT(coarse.size(), 400u);
    EXPECT_TRUE(PatternTicks(kScale, 1e-15, 6.0f, &stride).empty());
    EXPECT_EQ(stride, 0);
}

}  // namespace
