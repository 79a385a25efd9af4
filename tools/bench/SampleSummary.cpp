#include "tools/bench/SampleSummary.h"

#include <algorithm>
#include <cmath>

SampleSummary Summarize(std::vector<double> values) {
    SampleSummary summary;
    if (values.empty())
        return summary;
    for (double& value : values)
        value = std::fabs(value);
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    summary.median = n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
    const size_t rank = static_cast<size_t>(std::ceil(0.99 * static_cast<double>(n)));
    summary.p99 = values[std::max<size_t>(rank, 1) - 1];
    summary.worst = values.back();
    return summary;
}
