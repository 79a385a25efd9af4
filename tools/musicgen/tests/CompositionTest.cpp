#include "tools/musicgen/BeatGrid.h"
#include "tools/musicgen/Composition.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <vector>

namespace {

const double P = 480.0 / 175.0;
const double S = P / 32.0;
const double kSameInstant = 1e-9;

bool HasNoteAt(const std::vector<NoteEvent>& score, InstrumentKind instrument, double time)
{
    for (const NoteEvent& note : score) {
        if (note.instrument == instrument && std::fabs(note.start - time) < kSameInstant)
            return true;
    }
    return false;
}

class CompositionTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { score = new std::vector<NoteEvent>(Composition::Score()); }
    static void TearDownTestSuite()
    {
        delete score;
        score = nullptr;
    }
    static std::vector<NoteEvent>* score;
};

std::vector<NoteEvent>* CompositionTest::score = nullptr;

}

TEST_F(CompositionTest, CutsAndFlashesAreTheShowsInstants)
{
    const int cutPatterns[] = {8, 16, 20, 24, 36, 44, 46, 48, 50, 52};
    std::vector<double> cuts = Composition::CutTimes();
    ASSERT_EQ(cuts.size(), 10u);
    for (size_t i = 0; i < cuts.size(); ++i)
        EXPECT_NEAR(cuts[i], cutPatterns[i] * P, 1e-9);
    const double flashes[] = {3 * P,          4 * P,     4 * P + 8 * S, 4 * P + 10 * S, 5 * P,
                              5 * P + 4 * S,  5 * P + 8 * S, 5 * P + 10 * S, 6 * P,   7 * P};
    std::vector<double> flashTimes = Composition::FlashTimes();
    ASSERT_EQ(flashTimes.size(), 10u);
    for (size_t i = 0; i < flashTimes.size(); ++i)
        EXPECT_NEAR(flashTimes[i], flashes[i], 1e-9);
    EXPECT_NEAR(Composition::FadeStart(), 52 * P, 1e-9);
    EXPECT_NEAR(Composition::FadeEnd(), 54 * P, 1e-9);
    EXPECT_GE(Composition::Length(), 151.2);
}

TEST_F(CompositionTest, EveryCutLandsOnAHitWithARiseIntoIt)
{
    for (double cut : Composition::CutTimes()) {
        SCOPED_TRACE(cut);
        EXPECT_TRUE(HasNoteAt(*score, InstrumentKind::Kick, cut));
        EXPECT_TRUE(HasNoteAt(*score, InstrumentKind::Pluck, cut)) << "no chord stab";
        EXPECT_TRUE(HasNoteAt(*score, InstrumentKind::Crash, cut) || HasNoteAt(*score, InstrumentKind::Impact, cut));
        bool rises = false;
        for (const NoteEvent& note : *score) {
            double end = note.start + note.length;
            rises = rises || (note.instrument == InstrumentKind::Riser && end <= cut + kSameInstant &&
                              end >= cut - S - kSameInstant && note.length >= 0.25 * P - S);
        }
        EXPECT_TRUE(rises);
    }
}

TEST_F(CompositionTest, TheSixteenthBeforeEachCutIsLeftToTheHit)
{
    for (double cut : Composition::CutTimes()) {
        for (const NoteEvent& note : *score) {
            bool drum = note.instrument == InstrumentKind::Kick || note.instrument == InstrumentKind::Snare ||
                        note.instrument == InstrumentKind::Hat;
            bool inGap = note.start > cut - S + kSameInstant && note.start < cut - kSameInstant;
            EXPECT_FALSE(drum && inGap) << "drum at " << note.start << " before the cut at " << cut;
        }
    }
}

TEST_F(CompositionTest, EveryOpeningFlashLandsOnAHit)
{
    for (double flash : Composition::FlashTimes()) {
        SCOPED_TRACE(flash);
        EXPECT_TRUE(HasNoteAt(*score, InstrumentKind::Kick, flash));
        EXPECT_TRUE(HasNoteAt(*score, InstrumentKind::Pluck, flash));
    }
}

TEST_F(CompositionTest, NotesSitOnTheGridInsideTheShow)
{
    for (const NoteEvent& note : *score) {
        EXPECT_GE(note.start, 0.0);
        EXPECT_LT(note.start, Composition::FadeEnd());
        // Everything starts on a thirty-second of the grid.
        double steps = note.start / (S * 0.5);
        EXPECT_NEAR(steps, std::round(steps), 1e-6) << note.start;
    }
}

TEST_F(CompositionTest, TunedNotesStayInTheKey)
{
    // A natural minor, plus the G sharp of the dominant before the climax.
    const std::set<int> key = {9, 11, 0, 2, 4, 5, 7, 8};
    for (const NoteEvent& note : *score) {
        bool tuned = note.instrument == InstrumentKind::Pad || note.instrument == InstrumentKind::Pluck ||
                     note.instrument == InstrumentKind::Bell || note.instrument == InstrumentKind::Bass;
        if (tuned) {
            EXPECT_EQ(key.count(note.pitch % 12), 1u) << "pitch " << note.pitch << " at " << note.start;
        }
    }
}

TEST_F(CompositionTest, OneKickAnInstant)
{
    std::set<long long> instants;
    for (const NoteEvent& note : *score) {
        if (note.instrument == InstrumentKind::Kick) {
            EXPECT_TRUE(instants.insert(std::llround(note.start * 1e6)).second) << note.start;
        }
    }
}
