#include "AudioTestTracks.h"

#include "engine/audio/OggStructure.h"

#include <gtest/gtest.h>

namespace {

Bytes Track() { return ReadBytes(std::string(ZP_TEST_DATA_DIR) + "/music/chords-44k-stereo.ogg"); }

bool Plain(const Bytes& bytes) { return IsPlainOggStream(bytes.data(), static_cast<uint32_t>(bytes.size())); }

Bytes Joined(Bytes head, const Bytes& tail) {
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

}

TEST(OggStructure, EncodedTracksAndTracksCutShortPass) {
    const Bytes track = Track();
    EXPECT_TRUE(Plain(track));
    EXPECT_TRUE(Plain(Bytes(track.begin(), track.begin() + 20000)));  // inside a page
    EXPECT_TRUE(Plain(Bytes(track.begin(), track.begin() + 60)));     // inside a header
    EXPECT_TRUE(Plain(ReadBytes(std::string(ZP_SOURCE_DIR) + "/data/music/zephal_ethereal.ogg")));
}

TEST(OggStructure, StrayBytesPagesAfterTheEndAndOtherStreamsAreRefused) {
    const Bytes track = Track();
    EXPECT_FALSE(Plain({}));
    EXPECT_FALSE(Plain(Bytes(100, 0x4F)));
    EXPECT_FALSE(Plain(Joined(track, Bytes(10, 0))));         // bytes after the last page
    EXPECT_FALSE(Plain(Joined(track, Bytes(track.begin(), track.begin() + 58))));  // a page after the end
    Bytes stray = track;
    stray.insert(stray.begin() + 58, 7, 0x55);                 // bytes between two pages
    EXPECT_FALSE(Plain(stray));
    Bytes otherSerial = track;
    otherSerial[58 + 14] ^= 0xFF;                              // the second page of another stream
    EXPECT_FALSE(Plain(otherSerial));
    Bytes repeated = track;
    repeated[58 + 18] = 0;                                     // the first page's number again
    EXPECT_FALSE(Plain(repeated));
}
