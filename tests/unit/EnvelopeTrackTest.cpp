#include "demo/show/EnvelopeTrack.h"

#include <gtest/gtest.h>

#include <vector>

TEST(EnvelopeTrack, FadeRampsMultiplyAndEndsAreExclusive) {
    EnvelopeTrack track;
    track.Add(EnvelopeKind::FadeIn, 0.0, 5.0);
    EXPECT_DOUBLE_EQ(track.Fade(0.0), 0.0);
    EXPECT_DOUBLE_EQ(track.Fade(2.5), 0.5);
    EXPECT_DOUBLE_EQ(track.Fade(5.0), 1.0);
    track.Add(EnvelopeKind::FadeOut, 1.0, 3.0);
    EXPECT_DOUBLE_EQ(track.Fade(1.5), 0.3 * 0.75);
    // Flashes do not darken.
    track.Add(EnvelopeKind::FlashIn, 6.0, 7.0);
    EXPECT_DOUBLE_EQ(track.Fade(6.5), 1.0);
}

TEST(EnvelopeTrack, FlashRampsAddUpUnclamped) {
    EnvelopeTrack track;
    track.Add(EnvelopeKind::FlashIn, 9.5, 10.0);
    track.Add(EnvelopeKind::FlashOut, 10.0, 12.0);
    EXPECT_DOUBLE_EQ(track.Flash(9.75), 0.5);
    EXPECT_DOUBLE_EQ(track.Flash(10.0), 1.0);
    EXPECT_DOUBLE_EQ(track.Flash(11.0), 0.5);
    EXPECT_DOUBLE_EQ(track.Flash(12.0), 0.0);
    track.Add(EnvelopeKind::FlashOut, 10.0, 11.0);
    EXPECT_DOUBLE_EQ(track.Flash(10.0), 2.0);
    // Fades do not brighten.
    track.Add(EnvelopeKind::FadeIn, 20.0, 21.0);
    EXPECT_DOUBLE_EQ(track.Flash(20.5), 0.0);
}

TEST(EnvelopeTrack, EventOfNoLengthNeverTakesPart) {
    EnvelopeTrack track;
    track.Add(EnvelopeKind::FadeIn, 4.0, 4.0);
    track.Add(EnvelopeKind::FlashIn, 4.0, 4.0);
    EXPECT_EQ(track.Fade(4.0), 1.0);
    EXPECT_EQ(track.Flash(4.0), 0.0);
}

TEST(EnvelopeTrack, EventsAreKeptByStartAndEqualStartsInArrivalOrder) {
    EnvelopeTrack track;
    track.Add(EnvelopeKind::FlashIn, 2.0, 3.0);
    track.Add(EnvelopeKind::FadeIn, 1.0, 3.0);
    track.Add(EnvelopeKind::FlashOut, 2.0, 4.0);
    track.Add(EnvelopeKind::FadeOut, 0.5, 1.0);
    std::vector<EnvelopeKind> kinds;
    for (const EnvelopeEvent& event : track.GetEvents())
        kinds.push_back(event.kind);
    EXPECT_EQ(kinds, (std::vector<EnvelopeKind>{EnvelopeKind::FadeOut, EnvelopeKind::FadeIn, EnvelopeKind::FlashIn,
                                                EnvelopeKind::FlashOut}));
    EXPECT_DOUBLE_EQ(track.GetEvents()[3].duration, 2.0);
}

TEST(EnvelopeTrack, ExpireKeepsAnEventEndingNowAndTheOrderOfTheRest) {
    EnvelopeTrack track;
    track.Add(EnvelopeKind::FadeIn, 0.0, 3.0);
    track.Add(EnvelopeKind::FlashIn, 1.0, 2.0);
    track.Add(EnvelopeKind::FlashOut, 2.0, 5.0);
    track.Expire(2.0);
    ASSERT_EQ(track.GetEvents().size(), 3u);
    track.Expire(2.001);
    ASSERT_EQ(track.GetEvents().size(), 2u);
    EXPECT_EQ(track.GetEvents()[0].kind, EnvelopeKind::FadeIn);
    EXPECT_EQ(track.GetEvents()[1].kind, EnvelopeKind::FlashOut);
}
