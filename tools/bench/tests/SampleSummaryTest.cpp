#include "tools/bench/SampleSummary.h"

#include <gtest/gtest.h>

#include <vector>

TEST(SampleSummary, RanksTheSizesOfTheDeviations) {
    // Late and early count alike; the p99 of a hundred is the 99th sample.
    std::vector<double> values;
    for (int i = 1; i <= 100; ++i)
        values.push_back(i % 2 ? i : -i);
    const SampleSummary summary = Summarize(values);
    EXPECT_DOUBLE_EQ(summary.median, 50.5);
    EXPECT_DOUBLE_EQ(summary.p99, 99.0);
    EXPECT_DOUBLE_EQ(summary.worst, 100.0);

    const SampleSummary odd = Summarize({3.0, -1.0, 2.0});
    EXPECT_DOUBLE_EQ(odd.median, 2.0);
    EXPECT_DOUBLE_EQ(odd.p99, 3.0);

    const SampleSummary none = Summarize({});
    EXPECT_EQ(none.median, 0.0);
    EXPECT_EQ(none.worst, 0.0);
}
