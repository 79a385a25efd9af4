#include "demo/draw/ProgressBarGeometry.h"

#include <gtest/gtest.h>

namespace {

void ExpectCorner(const QuadCorner& corner, float x, float y) {
    EXPECT_FLOAT_EQ(corner.x, x);
    EXPECT_FLOAT_EQ(corner.y, y);
}

}

TEST(ProgressBarGeometryTest, NothingDoneIsAZeroWidthGreyBar) {
    ProgressBarGeometry bar = ComputeProgressBar(10, 0);
    EXPECT_FLOAT_EQ(bar.grey, 0.7f);
    ExpectCorner(bar.corners[0], 0.1f, 0.845f);
    ExpectCorner(bar.corners[1], 0.1f, 0.855f);
    ExpectCorner(bar.corners[2], 0.1f, 0.855f);
    ExpectCorner(bar.corners[3], 0.1f, 0.845f);
    EXPECT_EQ(ColorByte(bar.grey), 178);  // 0.7 * 255 truncated
}

TEST(ProgressBarGeometryTest, FullBarSpansTenToNinetyPercentAndIsBlack) {
    ProgressBarGeometry bar = ComputeProgressBar(7, 7);
    EXPECT_FLOAT_EQ(bar.grey, 0.0f);
    ExpectCorner(bar.corners[0], 0.1f, 0.845f);
    ExpectCorner(bar.corners[1], 0.1f, 0.855f);
    ExpectCorner(bar.corners[2], 0.9f, 0.855f);
    ExpectCorner(bar.corners[3], 0.9f, 0.845f);
}

TEST(ProgressBarGeometryTest, HalfwayDarkensInProportion) {
    ProgressBarGeometry bar = ComputeProgressBar(4, 2);
    EXPECT_FLOAT_EQ(bar.grey, 0.35f);
    EXPECT_FLOAT_EQ(bar.corners[2].x, 0.5f);
    EXPECT_EQ(ColorByte(bar.grey), 89);
}

TEST(ProgressBarGeometryTest, NoWorkAtAllCountsAsNothingDone) {
    ProgressBarGeometry bar = ComputeProgressBar(0, 0);
    EXPECT_FLOAT_EQ(bar.grey, 0.7f);
    EXPECT_FLOAT_EQ(bar.corners[2].x, 0.1f);
}

TEST(ProgressBarGeometryTest, ColorBytesTruncateAndStayInRange) {
    EXPECT_EQ(ColorByte(1.0f), 255);
    EXPECT_EQ(ColorByte(0.999f), 254);
    EXPECT_EQ(ColorByte(-0.5f), 0);
    EXPECT_EQ(ColorByte(2.0f), 255);
}
