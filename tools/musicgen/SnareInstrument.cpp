#include "tools/musicgen/SnareInstrument.h"

#include "tools/musicgen/NoiseSource.h"
#include "tools/musicgen/ResonantFilter.h"

#include <algorithm>
#include <cmath>

namespace {

const double kLength = 0.45;
const double kTwoPi = 6.283185307179586;

// The clap: three quick bursts, then the tail of the last one.
double ClapEnvelope(double t)
{
    double envelope = 0.0;
    for (int burst = 0; burst < 3; ++burst) {
        double since = t - burst * 0.009;
        if (since >= 0.0)
            envelope = std::max(envelope, std::exp(-since / (burst == 2 ? 0.09 : 0.006)));
    }
    return envelope;
}

}

double SnareInstrument::Duration(const NoteEvent&) const
{
    return kLength;
}

void SnareInstrument::Render(const NoteEvent& note, StereoBuffer& out) const
{
    NoiseSource noise(NoiseSeed(note));
    ResonantFilter snappy(FilterMode::HighPass);
    snappy.SetParameters(1800.0, 0.1, kSampleRate);
    // The rattle stays under 8 kHz: the air above it only feeds the
    // encoder's overshoot.
    ResonantFilter rattleTop(FilterMode::LowPass);
    rattleTop.SetParameters(8000.0, 0.0, kSampleRate);
    ResonantFilter clapBand(FilterMode::BandPass);
    clapBand.SetParameters(1300.0, 0.5, kSampleRate);
    float panLeft, panRight;
    PanGains(note.pan, panLeft, panRight);
    size_t first = StartFrame(note);
    size_t frames = FrameCount(kLength);
    float gain = 1.25f * note.velocity;
    for (size_t n = 0; n < frames; ++n) {
        double t = n / kSampleRate;
        double body = std::sin(kTwoPi * 190.0 * t) * std::exp(-t / 0.045) * 0.7 +
                      std::sin(kTwoPi * 335.0 * t) * std::exp(-t / 0.025) * 0.4;
        float white = noise.Next();
        double rattle = rattleTop.Process(snappy.Process(white)) * std::exp(-t / 0.12) * 0.9;
        double clap = clapBand.Process(white) * ClapEnvelope(t) * 1.4;
        double fade = (1.0 - t / kLength) * std::min(1.0, t / 0.0007);
        // Saturation rounds the noise peaks that would otherwise only feed
        // the limiter.
        float value = static_cast<float>(std::tanh((body + rattle + clap) * fade * 1.4) / 1.4) * gain;
        out.Add(first + n, value * panLeft * 1.41f, value * panRight * 1.41f);
    }
}
