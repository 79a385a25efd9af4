#include "tools/musicgen/ResonantFilter.h"

#include <algorithm>
#include <cmath>

void ResonantFilter::SetParameters(double cutoff, double resonance, double sampleRate)
{
    // Keep the cutoff below Nyquist, where the prewarping tangent blows up.
    double limited = std::clamp(cutoff, 10.0, sampleRate * 0.45);
    g = std::tan(3.141592653589793 * limited / sampleRate);
    k = 2.0 - 2.0 * std::clamp(resonance, 0.0, 0.98);
    a1 = 1.0 / (1.0 + g * (g + k));
    a2 = g * a1;
    a3 = g * a2;
}

float ResonantFilter::Process(float input)
{
    double v3 = input - state2;
    double v1 = a1 * state1 + a2 * v3;
    double v2 = state2 + a2 * state1 + a3 * v3;
    state1 = 2.0 * v1 - state1;
    state2 = 2.0 * v2 - state2;
    switch (mode) {
    case FilterMode::LowPass: return static_cast<float>(v2);
    case FilterMode::BandPass: return static_cast<float>(v1);
    case FilterMode::HighPass: return static_cast<float>(input - k * v1 - v2);
    }
    return 0.0f;
}
