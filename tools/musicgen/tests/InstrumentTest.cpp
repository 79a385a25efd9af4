#include "tools/musicgen/BassInstrument.h"
#include "tools/musicgen/BellInstrument.h"
#include "tools/musicgen/CrashInstrument.h"
#include "tools/musicgen/HatInstrument.h"
#include "tools/musicgen/ImpactInstrument.h"
#include "tools/musicgen/KickInstrument.h"
#include "tools/musicgen/LoudnessMeter.h"
#include "tools/musicgen/MusicRenderer.h"
#include "tools/musicgen/PadInstrument.h"
#include "tools/musicgen/PluckInstrument.h"
#include "tools/musicgen/RiserInstrument.h"
#include "tools/musicgen/SnareInstrument.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

namespace {

NoteEvent Note(InstrumentKind instrument, double length, int pitch)
{
    NoteEvent note;
    note.instrument = instrument;
    note.start = 0.5;
    note.length = length;
    note.pitch = pitch;
    return note;
}

struct Case {
    std::unique_ptr<Instrument> instrument;
    NoteEvent note;
    bool endsQuietly;
};

std::vector<Case> AllInstruments()
{
    std::vector<Case> cases;
    cases.push_back({std::make_unique<PadInstrument>(), Note(InstrumentKind::Pad, 2.0, 57), true});
    cases.push_back({std::make_unique<PluckInstrument>(), Note(InstrumentKind::Pluck, 0.1, 81), true});
    cases.push_back({std::make_unique<BellInstrument>(), Note(InstrumentKind::Bell, 0.8, 76), true});
    cases.push_back({std::make_unique<BassInstrument>(), Note(InstrumentKind::Bass, 0.5, 45), true});
    cases.push_back({std::make_unique<KickInstrument>(), Note(InstrumentKind::Kick, 0.0, 36), true});
    cases.push_back({std::make_unique<SnareInstrument>(), Note(InstrumentKind::Snare, 0.0, 50), true});
    cases.push_back({std::make_unique<HatInstrument>(), Note(InstrumentKind::Hat, 0.02, 0), true});
    cases.push_back({std::make_unique<CrashInstrument>(), Note(InstrumentKind::Crash, 0.0, 0), true});
    cases.push_back({std::make_unique<ImpactInstrument>(), Note(InstrumentKind::Impact, 0.0, 0), true});
    // A riser stops dead on purpose, where the hit it leads into lands.
    cases.push_back({std::make_unique<RiserInstrument>(), Note(InstrumentKind::Riser, 1.0, 0), false});
    return cases;
}

float PeakBetween(const StereoBuffer& buffer, size_t from, size_t to)
{
    float peak = 0.0f;
    for (size_t i = from; i < to && i < buffer.Frames(); ++i)
        peak = std::max({peak, std::fabs(buffer.left[i]), std::fabs(buffer.right[i])});
    return peak;
}

}

TEST(Instrument, EverySoundStaysInsideItsDurationAndDiesAway)
{
    for (const Case& test : AllInstruments()) {
        SCOPED_TRACE(static_cast<int>(test.note.instrument));
        StereoBuffer buffer(Instrument::FrameCount(6.0));
        test.instrument->Render(test.note, buffer);
        size_t first = Instrument::StartFrame(test.note);
        size_t end = first + Instrument::FrameCount(test.instrument->Duration(test.note));
        float peak = PeakBetween(buffer, first, end);
        EXPECT_GT(peak, 0.01f) << "silent";
        EXPECT_LT(peak, 1.0f);
        EXPECT_EQ(PeakBetween(buffer, 0, first), 0.0f) << "sounds before its start";
        EXPECT_EQ(PeakBetween(buffer, end, buffer.Frames()), 0.0f) << "rings past its duration";
        if (test.endsQuietly) {
            EXPECT_LT(PeakBetween(buffer, end - Instrument::FrameCount(0.01), end), peak * 0.03f)
                << "cut off while still sounding";
        }
    }
}

TEST(Instrument, PanMovesAPluckToOneSide)
{
    PluckInstrument pluck;
    NoteEvent note = Note(InstrumentKind::Pluck, 0.1, 69);
    note.pan = -1.0f;
    StereoBuffer buffer(Instrument::FrameCount(1.5));
    pluck.Render(note, buffer);
    float left = 0.0f, right = 0.0f;
    for (size_t i = 0; i < buffer.Frames(); ++i) {
        left = std::max(left, std::fabs(buffer.left[i]));
        right = std::max(right, std::fabs(buffer.right[i]));
    }
    EXPECT_GT(left, 0.01f);
    EXPECT_LT(right, left * 1e-3f);
}

TEST(MusicRenderer, MeetsLoudnessAndCeilingThenFadesToSilence)
{
    std::vector<NoteEvent> score;
    for (int bar = 0; bar < 8; ++bar) {
        score.push_back(Note(InstrumentKind::Pad, 1.0, 57));
        score.back().start = bar * 1.0;
        score.push_back(Note(InstrumentKind::Kick, 0.0, 36));
        score.back().start = bar * 1.0;
    }
    MusicRenderer::Settings settings{10.0, 6.0, 8.0, -16.0, 0.7, {4.0}};
    StereoBuffer master = MusicRenderer::Render(score, settings);
    ASSERT_EQ(master.Frames(), Instrument::FrameCount(10.0));
    EXPECT_LE(master.Peak(), 0.7f + 1e-6f);
    EXPECT_NEAR(LoudnessMeter::IntegratedLoudness(master, kSampleRate), -16.0, 0.5);
    EXPECT_EQ(PeakBetween(master, Instrument::FrameCount(8.0), master.Frames()), 0.0f);
    // The mix drops back just before 4 s and is whole again on it.
    float hushed = PeakBetween(master, Instrument::FrameCount(3.96), Instrument::FrameCount(3.995));
    float before = PeakBetween(master, Instrument::FrameCount(3.80), Instrument::FrameCount(3.85));
    EXPECT_LT(hushed, before * 0.4f);
}
