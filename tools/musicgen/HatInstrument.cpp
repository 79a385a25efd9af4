#include "tools/musicgen/HatInstrument.h"

#include "tools/musicgen/NoiseSource.h"
#include "tools/musicgen/Oscillator.h"
#include "tools/musicgen/ResonantFilter.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// Inharmonic ratios over the base, the classic cluster of a metal hat.
const double kMetalRatios[] = {1.0, 1.342, 1.2312, 1.6532, 1.9523, 2.1523};
const double kMetalBase = 410.0;

}

double HatInstrument::Duration(const NoteEvent& note) const
{
    return note.length * 5.0 + 0.01;
}

void HatInstrument::Render(const NoteEvent& note, StereoBuffer& out) const
{
    NoiseSource noise(NoiseSeed(note));
    std::vector<Oscillator> metal;
    for (size_t i = 0; i < 6; ++i)
        metal.emplace_back(Waveform::Square, i * 0.17);
    ResonantFilter highPass(FilterMode::HighPass);
    highPass.SetParameters(7000.0 + 2000.0 * note.brightness, 0.3, kSampleRate);
    float panLeft, panRight;
    PanGains(note.pan, panLeft, panRight);
    size_t first = StartFrame(note);
    size_t frames = FrameCount(Duration(note));
    float gain = 0.6f * note.velocity;
    for (size_t n = 0; n < frames; ++n) {
        double t = n / kSampleRate;
        float cluster = 0.0f;
        for (size_t i = 0; i < metal.size(); ++i)
            cluster += metal[i].Next(kMetalBase * kMetalRatios[i], kSampleRate);
        float mixed = noise.Next() * 0.8f + cluster * 0.08f;
        double envelope = std::exp(-t / note.length) * std::min(1.0, t / 0.0008);
        float value = highPass.Process(mixed) * static_cast<float>(envelope) * gain;
        out.Add(first + n, value * panLeft, value * panRight);
    }
}
