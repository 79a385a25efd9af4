#include "tools/musicgen/StereoBuffer.h"

#include <algorithm>
#include <cmath>

void StereoBuffer::Mix(const StereoBuffer& other, float gain)
{
    size_t frames = std::min(Frames(), other.Frames());
    for (size_t i = 0; i < frames; ++i) {
        left[i] += other.left[i] * gain;
        right[i] += other.right[i] * gain;
    }
}

void StereoBuffer::Scale(float gain)
{
    for (size_t i = 0; i < Frames(); ++i) {
        left[i] *= gain;
        right[i] *= gain;
    }
}

float StereoBuffer::Peak() const
{
    float peak = 0.0f;
    for (size_t i = 0; i < Frames(); ++i)
        peak = std::max({peak, std::fabs(left[i]), std::fabs(right[i])});
    return peak;
}
