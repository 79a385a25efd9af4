#include "tools/musicgen/MusicRenderer.h"

#include "tools/musicgen/BassInstrument.h"
#include "tools/musicgen/BeatGrid.h"
#include "tools/musicgen/BellInstrument.h"
#include "tools/musicgen/CrashInstrument.h"
#include "tools/musicgen/HatInstrument.h"
#include "tools/musicgen/ImpactInstrument.h"
#include "tools/musicgen/KickInstrument.h"
#include "tools/musicgen/LoudnessMeter.h"
#include "tools/musicgen/PadInstrument.h"
#include "tools/musicgen/PeakLimiter.h"
#include "tools/musicgen/PingPongDelay.h"
#include "tools/musicgen/PluckInstrument.h"
#include "tools/musicgen/RiserInstrument.h"
#include "tools/musicgen/SnareInstrument.h"
#include "tools/musicgen/StereoReverb.h"

#include <algorithm>
#include <cmath>

namespace {

const Instrument& InstrumentFor(InstrumentKind kind)
{
    static const PadInstrument pad;
    static const PluckInstrument pluck;
    static const BellInstrument bell;
    static const BassInstrument bass;
    static const KickInstrument kick;
    static const SnareInstrument snare;
    static const HatInstrument hat;
    static const CrashInstrument crash;
    static const RiserInstrument riser;
    static const ImpactInstrument impact;
    switch (kind) {
    case InstrumentKind::Pad: return pad;
    case InstrumentKind::Pluck: return pluck;
    case InstrumentKind::Bell: return bell;
    case InstrumentKind::Bass: return bass;
    case InstrumentKind::Kick: return kick;
    case InstrumentKind::Snare: return snare;
    case InstrumentKind::Hat: return hat;
    case InstrumentKind::Crash: return crash;
    case InstrumentKind::Riser: return riser;
    case InstrumentKind::Impact: return impact;
    }
    return pad;
}

double DbToGain(double db)
{
    return std::pow(10.0, db / 20.0);
}

}

MusicRenderer::Buses MusicRenderer::RenderBuses(const std::vector<NoteEvent>& score, size_t frames)
{
    Buses buses{StereoBuffer(frames), StereoBuffer(frames), StereoBuffer(frames), StereoBuffer(frames),
                StereoBuffer(frames)};
    for (const NoteEvent& note : score) {
        StereoBuffer* bus = &buses.drums;
        switch (note.instrument) {
        case InstrumentKind::Pad: bus = &buses.pads; break;
        case InstrumentKind::Pluck:
        case InstrumentKind::Bell: bus = &buses.leads; break;
        case InstrumentKind::Bass: bus = &buses.bass; break;
        case InstrumentKind::Riser:
        case InstrumentKind::Impact:
        case InstrumentKind::Crash: bus = &buses.effects; break;
        default: break;
        }
        InstrumentFor(note.instrument).Render(note, *bus);
    }
    return buses;
}

// 1 where no kick sounds, dipping at each kick and recovering over a
// sixteenth or two: the pump that leaves the kick room.
std::vector<float> MusicRenderer::KickDucking(const std::vector<NoteEvent>& score, size_t frames)
{
    std::vector<float> ducking(frames, 1.0f);
    const double attack = 0.004, recovery = 0.11;
    size_t span = Instrument::FrameCount(recovery * 5.0);
    for (const NoteEvent& note : score) {
        if (note.instrument != InstrumentKind::Kick)
            continue;
        size_t first = Instrument::StartFrame(note);
        for (size_t n = 0; n < span && first + n < frames; ++n) {
            double t = n / kSampleRate;
            double dip = std::min(1.0, t / attack) * std::exp(-t / recovery) * note.velocity;
            ducking[first + n] = std::min(ducking[first + n], static_cast<float>(1.0 - dip));
        }
    }
    return ducking;
}

void MusicRenderer::Duck(StereoBuffer& bus, const std::vector<float>& ducking, float depth)
{
    for (size_t i = 0; i < bus.Frames(); ++i) {
        float gain = 1.0f - depth * (1.0f - ducking[i]);
        bus.left[i] *= gain;
        bus.right[i] *= gain;
    }
}

StereoBuffer MusicRenderer::Mix(Buses& buses)
{
    size_t frames = buses.pads.Frames();
    PingPongDelay delay(3.0 * BeatGrid::kSixteenthLength, 0.45, kSampleRate);
    StereoBuffer echoes = delay.Process(buses.leads);

    StereoBuffer send(frames);
    send.Mix(buses.pads, 1.0f);
    send.Mix(buses.leads, 0.6f);
    send.Mix(echoes, 0.5f);
    send.Mix(buses.drums, 0.08f);
    send.Mix(buses.effects, 0.4f);
    StereoReverb reverb(0.88, 0.35, 0.03, kSampleRate);
    StereoBuffer wet = reverb.Process(send);

    StereoBuffer master(frames);
    master.Mix(buses.pads, 1.0f);
    master.Mix(buses.leads, 1.0f);
    master.Mix(echoes, 0.35f);
    master.Mix(buses.bass, 1.0f);
    master.Mix(buses.drums, 1.0f);
    master.Mix(buses.effects, 1.0f);
    master.Mix(wet, 0.45f);
    return master;
}

void MusicRenderer::Fade(StereoBuffer& master, const Settings& settings)
{
    size_t fadeFirst = Instrument::FrameCount(settings.fadeStart);
    size_t fadeLast = std::min(master.Frames(), Instrument::FrameCount(settings.fadeEnd));
    double span = static_cast<double>(fadeLast - fadeFirst);
    for (size_t i = fadeFirst; i < master.Frames(); ++i) {
        double x = i < fadeLast ? (i - fadeFirst) / span : 1.0;
        float gain = static_cast<float>(0.5 * (1.0 + std::cos(3.141592653589793 * x)));
        master.left[i] *= gain;
        master.right[i] *= gain;
    }
}

// Down to a quarter over the sixteenth before the instant, with short ramps,
// and back to full level exactly on it.
void MusicRenderer::HushBefore(StereoBuffer& master, double instant)
{
    const double depth = 0.75, rampDown = 0.012, rampUp = 0.002;
    double from = instant - BeatGrid::kSixteenthLength;
    size_t first = Instrument::FrameCount(from - rampDown);
    size_t last = std::min(master.Frames(), Instrument::FrameCount(instant));
    for (size_t i = first; i < last; ++i) {
        double t = i / kSampleRate;
        double down = std::clamp((t - (from - rampDown)) / rampDown, 0.0, 1.0);
        double up = std::clamp((instant - t) / rampUp, 0.0, 1.0);
        float gain = static_cast<float>(1.0 - depth * std::min(down, up));
        master.left[i] *= gain;
        master.right[i] *= gain;
    }
}

// Two passes: the limiter takes a little loudness off the peaks, so the
// second pass makes up what the first one lost.
void MusicRenderer::Master(StereoBuffer& master, const Settings& settings)
{
    PeakLimiter limiter(settings.ceiling, 0.003, 0.08, kSampleRate);
    double loudness = LoudnessMeter::IntegratedLoudness(master, kSampleRate);
    master.Scale(static_cast<float>(DbToGain(settings.targetLoudness - loudness)));
    StereoBuffer trial = master;
    limiter.Process(trial);
    double lost = settings.targetLoudness - LoudnessMeter::IntegratedLoudness(trial, kSampleRate);
    master.Scale(static_cast<float>(DbToGain(lost)));
    limiter.Process(master);
}

StereoBuffer MusicRenderer::Render(const std::vector<NoteEvent>& score, const Settings& settings)
{
    size_t frames = Instrument::FrameCount(settings.length);
    Buses buses = RenderBuses(score, frames);
    std::vector<float> ducking = KickDucking(score, frames);
    Duck(buses.pads, ducking, 0.55f);
    Duck(buses.leads, ducking, 0.3f);
    Duck(buses.bass, ducking, 0.6f);
    StereoBuffer master = Mix(buses);
    for (double instant : settings.drops)
        HushBefore(master, instant);
    Fade(master, settings);
    Master(master, settings);
    return master;
}
