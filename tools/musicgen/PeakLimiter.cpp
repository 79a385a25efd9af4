#include "tools/musicgen/PeakLimiter.h"

#include <algorithm>
#include <cmath>
#include <deque>

PeakLimiter::PeakLimiter(double ceiling, double lookAheadSeconds, double releaseSeconds, double sampleRate)
    : ceiling(static_cast<float>(ceiling)),
      window(std::max<size_t>(1, static_cast<size_t>(lookAheadSeconds * sampleRate))),
      releaseCoefficient(static_cast<float>(1.0 - std::exp(-1.0 / (releaseSeconds * sampleRate))))
{
}

std::vector<float> PeakLimiter::RequiredGain(const StereoBuffer& buffer) const
{
    std::vector<float> gain(buffer.Frames(), 1.0f);
    for (size_t i = 0; i < buffer.Frames(); ++i) {
        float peak = std::max(std::fabs(buffer.left[i]), std::fabs(buffer.right[i]));
        if (peak > ceiling)
            gain[i] = ceiling / peak;
    }
    return gain;
}

// Minimum over [i - window, i + window], with a monotonic queue.
std::vector<float> PeakLimiter::WindowMinimum(const std::vector<float>& gain) const
{
    size_t count = gain.size();
    std::vector<float> minimum(count, 1.0f);
    std::deque<size_t> candidates;
    size_t next = 0;
    for (size_t i = 0; i < count; ++i) {
        size_t last = std::min(count - 1, i + window);
        for (; next <= last; ++next) {
            while (!candidates.empty() && gain[candidates.back()] >= gain[next])
                candidates.pop_back();
            candidates.push_back(next);
        }
        while (candidates.front() + window < i)
            candidates.pop_front();
        minimum[i] = gain[candidates.front()];
    }
    return minimum;
}

// Mean over [i - window, i + window]; frames outside the buffer count as 1.
std::vector<float> PeakLimiter::WindowAverage(const std::vector<float>& gain) const
{
    long long count = static_cast<long long>(gain.size());
    long long reach = static_cast<long long>(window);
    auto at = [&](long long k) { return k >= 0 && k < count ? static_cast<double>(gain[k]) : 1.0; };
    std::vector<float> average(gain.size(), 1.0f);
    double sum = 0.0;
    for (long long k = -reach - 1; k < reach; ++k)
        sum += at(k);
    double span = static_cast<double>(2 * reach + 1);
    for (long long i = 0; i < count; ++i) {
        sum += at(i + reach) - at(i - reach - 1);
        average[i] = static_cast<float>(std::min(1.0, sum / span));
    }
    return average;
}

void PeakLimiter::Release(std::vector<float>& gain) const
{
    float current = 1.0f;
    for (float& value : gain) {
        if (value < current)
            current = value;
        else
            current += (value - current) * releaseCoefficient;
        value = current;
    }
}

void PeakLimiter::Process(StereoBuffer& buffer) const
{
    std::vector<float> gain = WindowAverage(WindowMinimum(RequiredGain(buffer)));
    Release(gain);
    for (size_t i = 0; i < buffer.Frames(); ++i) {
        buffer.left[i] *= gain[i];
        buffer.right[i] *= gain[i];
    }
}
