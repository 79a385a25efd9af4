#include "tools/musicgen/KickInstrument.h"

#include "tools/musicgen/NoiseSource.h"

#include <cmath>

namespace {

const double kLength = 0.55;

}

double KickInstrument::Duration(const NoteEvent&) const
{
    return kLength;
}

void KickInstrument::Render(const NoteEvent& note, StereoBuffer& out) const
{
    NoiseSource noise(NoiseSeed(note));
    size_t first = StartFrame(note);
    size_t frames = FrameCount(kLength);
    double phase = 0.0;
    float gain = 0.6f * note.velocity;
    for (size_t n = 0; n < frames; ++n) {
        double t = n / kSampleRate;
        double frequency = 46.0 + 120.0 * std::exp(-t / 0.032) + 300.0 * std::exp(-t / 0.004);
        phase += frequency / kSampleRate;
        double body = std::sin(6.283185307179586 * phase) * std::exp(-t / 0.22);
        double tail = 1.0 - t / kLength;
        double click = noise.Next() * std::exp(-t / 0.0025) * 0.35;
        float value = static_cast<float>(std::tanh((body * tail + click) * 1.6) * gain);
        out.Add(first + n, value, value);
    }
}
