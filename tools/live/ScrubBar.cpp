#include "tools/live/ScrubBar.h"

#include <algorithm>
#include <cmath>

double ScrubScale::TimeAt(float x) const {
    if (!(width > 0.0f) || !(showEnd > 0.0))
        return 0.0;
    double fraction = (static_cast<double>(x) - left) / width;
    return std::clamp(fraction, 0.0, 1.0) * showEnd;
}

float ScrubScale::XAt(double time) const {
    if (!(width > 0.0f) || !(showEnd > 0.0))
        return left;
    double fraction = std::clamp(time / showEnd, 0.0, 1.0);
    return left + static_cast<float>(fraction * width);
}

std::vector<double> PatternTicks(const ScrubScale& scale, double patternLength, float minSpacing,
                                 int* strideOut) {
    std::vector<double> ticks;
    if (strideOut)
        *strideOut = 0;
    if (!(patternLength > 0.0) || !(scale.width > 0.0f) || !(scale.showEnd > 0.0))
        return ticks;
    double pixelsPerPattern = patternLength / scale.showEnd * scale.width;
    int stride = 1;
    // Doubling ends long before overflow: a 1 px strip over a 1e9-pattern
    // show needs 2^30.
    while (pixelsPerPattern * stride < minSpacing && stride < (1 << 30))
        stride *= 2;
    // Too dense to mark even so: no ticks rather than millions.
    if (pixelsPerPattern * stride < minSpacing)
        return ticks;
    if (strideOut)
        *strideOut = stride;
    double step = patternLength * stride;
    // Counted, not accumulated, so that the last tick lands where it should.
    auto count = static_cast<long long>(std::floor(scale.showEnd / step + 1e-9));
    ticks.reserve(static_cast<size_t>(count) + 1);
    for (long long i = 0; i <= count; ++i)
        ticks.push_back(static_cast<double>(i) * step);
    return ticks;
}
