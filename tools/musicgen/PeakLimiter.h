#pragma once

#include "tools/musicgen/StereoBuffer.h"

// An offline look-ahead limiter: the gain is the running minimum of what each
// sample needs to stay under the ceiling, smoothed by a moving average over
// the same window (so it is never above what any sample in reach needs) and
// released slowly. Peaks are held without the distortion of clipping.
class PeakLimiter {
public:
    PeakLimiter(double ceiling, double lookAheadSeconds, double releaseSeconds, double sampleRate);

    void Process(StereoBuffer& buffer) const;

private:
    std::vector<float> RequiredGain(const StereoBuffer& buffer) const;
    std::vector<float> WindowMinimum(const std::vector<float>& gain) const;
    std::vector<float> WindowAverage(const std::vector<float>& gain) const;
    void Release(std::vector<float>& gain) const;

    float ceiling;
    size_t window;
    float releaseCoefficient;
};
