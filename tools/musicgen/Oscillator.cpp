#include "tools/musicgen/Oscillator.h"

#include <cmath>

namespace {

constexpr double kTwoPi = 6.283185307179586;

// The residual of a band-limited unit step, t in [0, 1) the phase and dt the
// phase increment per sample.
double PolyBlep(double t, double dt)
{
    if (t < dt) {
        t /= dt;
        return t + t - t * t - 1.0;
    }
    if (t > 1.0 - dt) {
        t = (t - 1.0) / dt;
        return t * t + t + t + 1.0;
    }
    return 0.0;
}

double Saw(double phase, double dt)
{
    return 2.0 * phase - 1.0 - PolyBlep(phase, dt);
}

double Square(double phase, double dt)
{
    double value = phase < 0.5 ? 1.0 : -1.0;
    value += PolyBlep(phase, dt);
    double shifted = phase + 0.5;
    if (shifted >= 1.0)
        shifted -= 1.0;
    return value - PolyBlep(shifted, dt);
}

double Triangle(double phase)
{
    return phase < 0.5 ? 4.0 * phase - 1.0 : 3.0 - 4.0 * phase;
}

}

float Oscillator::Next(double frequency, double sampleRate)
{
    double dt = frequency / sampleRate;
    double value = 0.0;
    switch (waveform) {
    case Waveform::Sine: value = std::sin(kTwoPi * phase); break;
    case Waveform::Saw: value = Saw(phase, dt); break;
    case Waveform::Square: value = Square(phase, dt); break;
    case Waveform::Triangle: value = Triangle(phase); break;
    }
    phase += dt;
    phase -= std::floor(phase);
    return static_cast<float>(value);
}
