#include "tools/musicgen/BellInstrument.h"

#include "tools/musicgen/Adsr.h"

#include <algorithm>
#include <cmath>

namespace {

const Adsr kEnvelope(0.004, 1.2, 0.4, 1.4);
const double kTwoPi = 6.283185307179586;
const double kModulatorRatio = 2.0;

// Phase accumulators of one carrier and its modulator.
struct FmPair {
    double carrier = 0.0;
    double modulator = 0.0;

    float Next(double frequency, double index)
    {
        float value = static_cast<float>(std::sin(kTwoPi * carrier + index * std::sin(kTwoPi * modulator)));
        carrier += frequency / kSampleRate;
        modulator += frequency * kModulatorRatio / kSampleRate;
        carrier -= std::floor(carrier);
        modulator -= std::floor(modulator);
        return value;
    }
};

}

double BellInstrument::Duration(const NoteEvent& note) const
{
    return kEnvelope.End(note.length);
}

void BellInstrument::Render(const NoteEvent& note, StereoBuffer& out) const
{
    double frequency = Frequency(note.pitch);
    double detune = std::pow(2.0, 4.0 / 1200.0);
    FmPair left, right;
    size_t first = StartFrame(note);
    size_t frames = FrameCount(Duration(note));
    float gain = 0.14f * note.velocity;
    for (size_t n = 0; n < frames; ++n) {
        double t = n / kSampleRate;
        double index = 0.4 + note.brightness * 2.2 * std::exp(-t / 0.35);
        // A slow vibrato that sets in after the attack.
        double vibrato = 1.0 + 0.003 * std::min(1.0, t / 0.6) * std::sin(kTwoPi * 5.2 * t);
        float level = static_cast<float>(kEnvelope.Level(t, note.length)) * gain;
        float l = left.Next(frequency * vibrato / detune, index);
        float r = right.Next(frequency * vibrato * detune, index);
        out.Add(first + n, l * level, r * level);
    }
}
