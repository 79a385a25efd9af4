#pragma once

enum class FilterMode { LowPass, BandPass, HighPass };

// A two-pole state-variable filter in trapezoidal (zero-delay feedback) form:
// it stays stable and keeps its tuning when the cutoff sweeps every sample.
class ResonantFilter {
public:
    explicit ResonantFilter(FilterMode mode) : mode(mode) {}

    // resonance in [0, 1): 0 is a gentle Q of 0.5, values near 1 ring.
    void SetParameters(double cutoff, double resonance, double sampleRate);
    float Process(float input);

private:
    FilterMode mode;
    double g = 0.0;
    double k = 2.0;
    double a1 = 1.0;
    double a2 = 0.0;
    double a3 = 0.0;
    double state1 = 0.0;
    double state2 = 0.0;
};
