#include "tools/musicgen/PluckInstrument.h"

#include "tools/musicgen/Adsr.h"
#include "tools/musicgen/Oscillator.h"
#include "tools/musicgen/ResonantFilter.h"

#include <cmath>

namespace {

const Adsr kEnvelope(0.002, 0.35, 0.0, 0.12);
const size_t kControlPeriod = 8;

}

double PluckInstrument::Duration(const NoteEvent& note) const
{
    return kEnvelope.End(note.length);
}

void PluckInstrument::Render(const NoteEvent& note, StereoBuffer& out) const
{
    double frequency = Frequency(note.pitch);
    Oscillator saw(Waveform::Saw);
    Oscillator square(Waveform::Square, 0.25);
    ResonantFilter filter(FilterMode::LowPass);
    float panLeft, panRight;
    PanGains(note.pan, panLeft, panRight);
    size_t first = StartFrame(note);
    size_t frames = FrameCount(Duration(note));
    float gain = 0.55f * note.velocity;
    for (size_t n = 0; n < frames; ++n) {
        double t = n / kSampleRate;
        if (n % kControlPeriod == 0) {
            double sweep = std::exp(-t / 0.09);
            filter.SetParameters(200.0 + frequency + note.brightness * 5200.0 * sweep, 0.45, kSampleRate);
        }
        float raw = saw.Next(frequency, kSampleRate) * 0.6f + square.Next(frequency * 0.5, kSampleRate) * 0.4f;
        float value = filter.Process(raw) * static_cast<float>(kEnvelope.Level(t, note.length)) * gain;
        out.Add(first + n, value * panLeft, value * panRight);
    }
}
