#include "tools/live/Transport.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

const Tempo kTempo;
const double p = kTempo.patternLength;
const double beat = kTempo.beatLength;

Transport ShowTransport() { return Transport(kTempo, ShowTimeLine(kTempo.patternLength)); }

}

TEST(Transport, BeatsAndPatternsStepFromTheHeadAndStayInsideTheShow) {
    const Transport transport = ShowTransport();
    EXPECT_DOUBLE_EQ(transport.ShowEnd(), 54 * p + 3.0);
    EXPECT_DOUBLE_EQ(transport.StepBeats(43.886, 1), 43.886 + 60.0 / 175);
    EXPECT_DOUBLE_EQ(transport.StepBeats(43.886, -2), 43.886 - 2 * beat);
    EXPECT_DOUBLE_EQ(transport.StepPatterns(10.0, 1), 10.0 + 8 * 60.0 / 175);
    EXPECT_EQ(transport.StepBeats(0.1, -1), 0.0);
    EXPECT_EQ(transport.StepPatterns(150.0, 1), transport.ShowEnd());
    EXPECT_EQ(transport.Clamp(-3.0), 0.0);
    EXPECT_DOUBLE_EQ(transport.LastPatternStart(), 54 * p);
}

TEST(Transport, EntryEndsAreExclusiveAndPagesGoFromStartToStart) {
    const Transport transport = ShowTransport();
    ASSERT_NE(transport.EntryAt(8 * p, 0), nullptr);
    EXPECT_EQ(transport.EntryAt(8 * p, 0)->scene, SceneId::Spheres);
    EXPECT_EQ(transport.EntryAt(8 * p - 1e-6, 0)->scene, SceneId::MeshLight);
    EXPECT_EQ(transport.EntryAt(30.0, 1)->scene, SceneId::Title);
    EXPECT_EQ(transport.EntryAt(54 * p, 1), nullptr);
    EXPECT_EQ(transport.EntryAt(transport.ShowEnd(), 0), nullptr);
    EXPECT_EQ(transport.EntriesAt(30.0).size(), 2u);

    // Inside an entry, back goes to its start; from the start, to the one before.
    EXPECT_DOUBLE_EQ(transport.PreviousEntryStart(12 * p), 8 * p);
    EXPECT_DOUBLE_EQ(transport.PreviousEntryStart(8 * p), 0.0);
    EXPECT_DOUBLE_EQ(transport.PreviousEntryStart(0.0), 0.0);
    EXPECT_DOUBLE_EQ(transport.NextEntryStart(8 * p), 16 * p);
    EXPECT_DOUBLE_EQ(transport.NextEntryStart(8 * p - 0.5), 8 * p);
    EXPECT_DOUBLE_EQ(transport.NextEntryStart(54 * p + 1.0), 54 * p + 1.0);
}

TEST(Transport, ALoopedEntryWrapsToItsStartAtItsEnd) {
    const Transport transport = ShowTransport();
    const TimeLineEntry& spheres = *transport.EntryAt(10 * p, 0);
    EXPECT_DOUBLE_EQ(transport.Wrap(12 * p, spheres), 12 * p);
    EXPECT_DOUBLE_EQ(transport.Wrap(16 * p, spheres), 8 * p);
    EXPECT_DOUBLE_EQ(transport.Wrap(16 * p + 0.02, spheres), 8 * p);
}

TEST(Transport, PositionsReadAsPatternBeatAndClockTime) {
    const Transport transport = ShowTransport();
    EXPECT_EQ(FormatMusicalPosition(transport.PositionAt(16 * p)), "16.0");
    EXPECT_EQ(FormatMusicalPosition(transport.PositionAt(16 * p + 3 * beat + 0.01)), "16.3");
    EXPECT_EQ(FormatMusicalPosition(transport.PositionAt(17 * p - 1e-3)), "16.7");
    // 16 patterns as the music reads them back: whole bytes, just short of it.
    EXPECT_EQ(FormatMusicalPosition(transport.PositionAt(std::floor(16 * p * 176400) / 176400)), "16.0");
    EXPECT_EQ(FormatClockTime(43.886), "00:43.886");
    EXPECT_EQ(FormatClockTime(transport.ShowEnd()), "02:31.114");
}
