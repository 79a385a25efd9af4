#include "tools/musicgen/CrashInstrument.h"

#include "tools/musicgen/NoiseSource.h"
#include "tools/musicgen/Oscillator.h"
#include "tools/musicgen/ResonantFilter.h"

#include <algorithm>
#include <cmath>

namespace {

const double kLength = 3.2;

// One side of the cymbal: its own noise and its own metal partials.
struct CrashSide {
    NoiseSource noise;
    Oscillator partialA;
    Oscillator partialB;
    ResonantFilter highPass{FilterMode::HighPass};
    ResonantFilter body{FilterMode::BandPass};

    explicit CrashSide(uint32_t seed) : noise(seed), partialA(Waveform::Square, 0.3), partialB(Waveform::Square, 0.7)
    {
        highPass.SetParameters(3200.0, 0.2, kSampleRate);
        body.SetParameters(5200.0, 0.3, kSampleRate);
    }

    float Next(double t)
    {
        float metal = partialA.Next(587.0, kSampleRate) * 0.1f + partialB.Next(845.0, kSampleRate) * 0.08f;
        float white = noise.Next();
        double sizzle = std::exp(-t / 1.0);
        double splash = std::exp(-t / 0.12);
        return static_cast<float>(highPass.Process(white + metal) * (sizzle * 0.6 + splash * 0.6) +
                                  body.Process(white) * splash * 0.8);
    }
};

}

double CrashInstrument::Duration(const NoteEvent&) const
{
    return kLength;
}

void CrashInstrument::Render(const NoteEvent& note, StereoBuffer& out) const
{
    uint32_t seed = NoiseSeed(note);
    CrashSide left(seed), right(seed * 747796405u + 2891336453u);
    size_t first = StartFrame(note);
    size_t frames = FrameCount(kLength);
    float gain = 0.3f * note.velocity;
    for (size_t n = 0; n < frames; ++n) {
        double t = n / kSampleRate;
        double envelope = std::min(1.0, t / 0.0015) * (1.0 - t / kLength);
        float level = static_cast<float>(envelope) * gain;
        out.Add(first + n, left.Next(t) * level, right.Next(t) * level);
    }
}
