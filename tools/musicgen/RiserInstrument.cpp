#include "tools/musicgen/RiserInstrument.h"

#include "tools/musicgen/NoiseSource.h"
#include "tools/musicgen/ResonantFilter.h"

#include <algorithm>
#include <cmath>

namespace {

const size_t kControlPeriod = 16;
// The last few milliseconds fall to zero, so the stop clicks no more than it must.
const double kStopRamp = 0.004;

}

double RiserInstrument::Duration(const NoteEvent& note) const
{
    return note.length;
}

void RiserInstrument::Render(const NoteEvent& note, StereoBuffer& out) const
{
    NoiseSource noiseLeft(NoiseSeed(note));
    NoiseSource noiseRight(NoiseSeed(note) ^ 0x5bd1e995u);
    ResonantFilter bandLeft(FilterMode::BandPass);
    ResonantFilter bandRight(FilterMode::BandPass);
    size_t first = StartFrame(note);
    size_t frames = FrameCount(note.length);
    double top = 2500.0 + note.brightness * 9000.0;
    float gain = 0.35f * note.velocity;
    for (size_t n = 0; n < frames; ++n) {
        double t = n / kSampleRate;
        double progress = t / note.length;
        if (n % kControlPeriod == 0) {
            double cutoff = 250.0 * std::pow(top / 250.0, progress);
            bandLeft.SetParameters(cutoff, 0.55, kSampleRate);
            bandRight.SetParameters(cutoff * 1.12, 0.55, kSampleRate);
        }
        double stop = std::min(1.0, (note.length - t) / kStopRamp);
        float level = static_cast<float>(progress * progress * stop) * gain;
        out.Add(first + n, bandLeft.Process(noiseLeft.Next()) * level, bandRight.Process(noiseRight.Next()) * level);
    }
}
