#pragma once

#include <vector>

// The spread of a series of deviations, by their size.
struct SampleSummary {
    double median = 0.0;
    double p99 = 0.0;
    double worst = 0.0;
};

// Of the absolute values; all zero for an empty series. The p99 is the value
// at rank ceil(0.99 n), so that it is one of the samples.
SampleSummary Summarize(std::vector<double> values);
