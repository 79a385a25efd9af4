#include "engine/platform/LargePageHeap.h"

#include <gtest/gtest.h>

namespace {

constexpr size_t kPage = size_t(2) << 20;

}

TEST(LargePageHeapTest, OnlyWholePagesInsideTheRangeAreAdvised) {
    const platform::AddressRange aligned = platform::WholePagesWithin(4 * kPage, 3 * kPage, kPage);
    EXPECT_EQ(aligned.begin, 4 * kPage);
    EXPECT_EQ(aligned.length, 3 * kPage);

    // A heap block starts and ends between pages: both ragged ends are left out.
    const platform::AddressRange ragged = platform::WholePagesWithin(4 * kPage + 16, 3 * kPage, kPage);
    EXPECT_EQ(ragged.begin, 5 * kPage);
    EXPECT_EQ(ragged.length, 2 * kPage);
}

TEST(LargePageHeapTest, RangesThatHoldNoWholePageOrWrapAreEmpty) {
    EXPECT_EQ(platform::WholePagesWithin(kPage + 1, kPage, kPage).length, 0u);
    EXPECT_EQ(platform::WholePagesWithin(kPage, kPage - 1, kPage).length, 0u);
    EXPECT_EQ(platform::WholePagesWithin(kPage, 0, kPage).length, 0u);
    EXPECT_EQ(platform::WholePagesWithin(UINTPTR_MAX - kPage, 2 * kPage, kPage).length, 0u);
    EXPECT_EQ(platform::WholePagesWithin(UINTPTR_MAX - 16, 8, kPage).length, 0u);
    EXPECT_EQ(platform::WholePagesWithin(0, 8 * kPage, 0).length, 0u);
    EXPECT_EQ(platform::WholePagesWithin(0, 8 * kPage, 3 << 20).length, 0u);
}
