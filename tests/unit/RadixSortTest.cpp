#include "demo/scenes/NormalMatrix.h"
#include "demo/scenes/RadixSort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

TEST(RadixSort, PutsTheLargestValuesFirstAndKeepsTiesInOrder) {
    const float values[] = {0.5f, -3.0f, 7.25f, 0.5f, -0.0f, 0.0f, 1e6f, -1e-6f, 7.25f, -200.0f};
    std::vector<KeyedIndex> entries;
    for (uint32_t k = 0; k < 10; ++k)
        entries.push_back({NearestFirstKey(values[k]), k});
    std::vector<KeyedIndex> scratch;
    RadixSortByKey(entries, scratch);
    std::vector<uint32_t> order;
    for (const KeyedIndex& entry : entries)
        order.push_back(entry.index);
    EXPECT_EQ(order, (std::vector<uint32_t>{6, 2, 8, 0, 3, 5, 4, 7, 1, 9}));
}

TEST(NormalMatrix, TheAffineShortcutMatchesTheGeneralInverse) {
    Quaternion turn = {0.2f, -0.5f, 0.1f, 0.83f};
    Matrix4 view = ComposeTransform({1.0f, 1.0f, 1.0f}, {0.1f, 0.3f, -0.2f, 0.93f}, {3.0f, -2.0f, -9.0f});
    Matrix4 model = ComposeTransform({0.5f, 2.5f, 0.25f}, turn, {4.0f, 1.0f, -6.0f});
    Matrix4 modelView = Multiply(view, model);
    Matrix4 fast = NormalMatrix(modelView);
    Matrix4 inverse = Inverse(modelView);
    for (int column = 0; column < 4; ++column)
        for (int row = 0; row < 4; ++row)
            EXPECT_NEAR(fast.m[column * 4 + row], inverse.m[row * 4 + column], 1e-4f) << column << "," << row;
}

}
