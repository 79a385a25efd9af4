#include "tools/musicgen/BassInstrument.h"

#include "tools/musicgen/Adsr.h"
#include "tools/musicgen/Oscillator.h"
#include "tools/musicgen/ResonantFilter.h"

#include <cmath>

namespace {

const Adsr kEnvelope(0.006, 0.4, 0.75, 0.09);
const size_t kControlPeriod = 16;

}

double BassInstrument::Duration(const NoteEvent& note) const
{
    return kEnvelope.End(note.length);
}

void BassInstrument::Render(const NoteEvent& note, StereoBuffer& out) const
{
    double frequency = Frequency(note.pitch);
    double detune = std::pow(2.0, 11.0 / 1200.0);
    Oscillator sub(Waveform::Sine);
    Oscillator sawA(Waveform::Saw, 0.1);
    Oscillator sawB(Waveform::Saw, 0.6);
    ResonantFilter filter(FilterMode::LowPass);
    size_t first = StartFrame(note);
    size_t frames = FrameCount(Duration(note));
    float gain = 0.17f * note.velocity;
    for (size_t n = 0; n < frames; ++n) {
        double t = n / kSampleRate;
        if (n % kControlPeriod == 0) {
            double pluck = std::exp(-t / 0.15);
            filter.SetParameters(120.0 + note.brightness * (500.0 + 900.0 * pluck), 0.35, kSampleRate);
        }
        float saws = sawA.Next(frequency * detune, kSampleRate) + sawB.Next(frequency / detune, kSampleRate);
        float growl = std::tanh(filter.Process(saws * 0.5f) * 1.8f) * 0.45f;
        // The sine sits an octave under the saws: felt more than heard.
        float value = (sub.Next(frequency * 0.5, kSampleRate) * 0.75f + growl * note.brightness) *
                      static_cast<float>(kEnvelope.Level(t, note.length)) * gain;
        out.Add(first + n, value, value);
    }
}
