#include "tools/musicgen/PadInstrument.h"

#include "tools/musicgen/Adsr.h"
#include "tools/musicgen/Oscillator.h"
#include "tools/musicgen/ResonantFilter.h"

#include <cmath>

namespace {

const Adsr kEnvelope(1.4, 1.5, 0.8, 2.2);
const double kDetuneCents = 9.0;
const size_t kControlPeriod = 16;

double StartPhase(int pitch, int voice)
{
    double value = (pitch * 7 + voice * 3) * 0.6180339887498949;
    return value - std::floor(value);
}

}

double PadInstrument::Duration(const NoteEvent& note) const
{
    return kEnvelope.End(note.length);
}

void PadInstrument::Render(const NoteEvent& note, StereoBuffer& out) const
{
    double base = Frequency(note.pitch);
    double detune = std::pow(2.0, kDetuneCents / 1200.0);
    Oscillator low(Waveform::Saw, StartPhase(note.pitch, 0));
    Oscillator centre(Waveform::Saw, StartPhase(note.pitch, 1));
    Oscillator high(Waveform::Saw, StartPhase(note.pitch, 2));
    Oscillator air(Waveform::Sine, StartPhase(note.pitch, 3));
    ResonantFilter filterLeft(FilterMode::LowPass);
    ResonantFilter filterRight(FilterMode::LowPass);
    size_t first = StartFrame(note);
    size_t frames = FrameCount(Duration(note));
    double lfoRate = 0.11 + 0.01 * (note.pitch % 5);
    float gain = 0.10f * note.velocity;
    for (size_t n = 0; n < frames; ++n) {
        double t = n / kSampleRate;
        if (n % kControlPeriod == 0) {
            double breathe = 0.5 + 0.5 * std::sin(6.283185307179586 * lfoRate * t + note.pitch);
            double cutoff = 300.0 + note.brightness * 2400.0 * (0.6 + 0.4 * breathe);
            filterLeft.SetParameters(cutoff, 0.2, kSampleRate);
            filterRight.SetParameters(cutoff * 1.07, 0.2, kSampleRate);
        }
        float a = low.Next(base / detune, kSampleRate);
        float b = centre.Next(base, kSampleRate);
        float c = high.Next(base * detune, kSampleRate);
        float shimmer = air.Next(base * 2.0, kSampleRate) * 0.25f;
        float left = filterLeft.Process(a * 0.8f + b * 0.5f + c * 0.2f) + shimmer;
        float right = filterRight.Process(a * 0.2f + b * 0.5f + c * 0.8f) + shimmer;
        float level = static_cast<float>(kEnvelope.Level(t, note.length)) * gain;
        out.Add(first + n, left * level, right * level);
    }
}
