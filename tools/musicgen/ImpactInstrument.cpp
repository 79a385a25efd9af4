#include "tools/musicgen/ImpactInstrument.h"

#include "tools/musicgen/NoiseSource.h"
#include "tools/musicgen/ResonantFilter.h"

#include <cmath>

namespace {

const double kLength = 2.4;

}

double ImpactInstrument::Duration(const NoteEvent&) const
{
    return kLength;
}

void ImpactInstrument::Render(const NoteEvent& note, StereoBuffer& out) const
{
    NoiseSource noise(NoiseSeed(note));
    ResonantFilter dark(FilterMode::LowPass);
    dark.SetParameters(900.0, 0.2, kSampleRate);
    size_t first = StartFrame(note);
    size_t frames = FrameCount(kLength);
    double phase = 0.0;
    float gain = 0.5f * note.velocity;
    for (size_t n = 0; n < frames; ++n) {
        double t = n / kSampleRate;
        double frequency = 36.0 + 50.0 * std::exp(-t / 0.25);
        phase += frequency / kSampleRate;
        double boom = std::sin(6.283185307179586 * phase) * std::exp(-t / 0.7);
        double burst = dark.Process(noise.Next()) * std::exp(-t / 0.08) * 1.5;
        double fade = 1.0 - t / kLength;
        float value = static_cast<float>(std::tanh((boom + burst) * 1.3) * fade) * gain;
        out.Add(first + n, value, value);
    }
}
