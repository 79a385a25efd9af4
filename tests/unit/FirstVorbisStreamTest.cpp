#include "AudioTestTracks.h"
#include "OggPages.h"

#include "engine/audio/FirstVorbisStream.h"

#include <gtest/gtest.h>

namespace {

// The pages of the committed track start at these offsets.
constexpr size_t kSecondPage = 58;
constexpr size_t kThirdPage = 3932;
constexpr size_t kSixthPage = 16572;
constexpr size_t kSeventhPage = 20827;

Bytes Track() { return ReadBytes(std::string(ZP_TEST_DATA_DIR) + "/music/chords-44k-stereo.ogg"); }

// What the player keeps of the bytes; empty when it refuses them.
Bytes Kept(const Bytes& bytes) {
    MemoryStream stream = StreamOf(bytes);
    if (!KeepFirstVorbisStream(stream))
        return {};
    return Bytes(stream.Data(), stream.Data() + stream.Length());
}

Bytes Head(const Bytes& bytes, size_t size) { return Bytes(bytes.begin(), bytes.begin() + size); }

Bytes Without(const Bytes& bytes, size_t from, size_t to) {
    return Joined(Head(bytes, from), Bytes(bytes.begin() + to, bytes.end()));
}

}

TEST(FirstVorbisStream, EncodedTracksAndTracksCutShortAreKeptWhole) {
    const Bytes track = Track();
    EXPECT_EQ(Kept(track), track);
    EXPECT_EQ(Kept(Head(track, 20000)), Head(track, kSixthPage));  // inside a page
    EXPECT_EQ(Kept(Head(track, 60)), Head(track, kSecondPage));   // inside a header
    const Bytes ethereal = ReadBytes(std::string(ZP_SOURCE_DIR) + "/data/music/zephal_ethereal.ogg");
    EXPECT_EQ(Kept(ethereal), ethereal);
}

TEST(FirstVorbisStream, StrayBytesPagesAfterTheEndAndOtherStreamsAreLeftOut) {
    const Bytes track = Track();
    EXPECT_TRUE(Kept({}).empty());
    EXPECT_TRUE(Kept(Bytes(100, 0x4F)).empty());
    EXPECT_TRUE(Kept(oggpages::MakePage(0x2, 9, 0, {'f', 'i', 's', 'h'})).empty());  // no Vorbis stream
    EXPECT_EQ(Kept(Joined(track, Bytes(10, 0))), track);                           // bytes after the last page
    EXPECT_EQ(Kept(Joined(track, Head(track, kSecondPage))), track);               // a page after the end
    EXPECT_EQ(Kept(Joined(oggpages::MakePage(0x2, 9, 0, {'f', 'i', 's', 'h'}), track)), track);
    Bytes stray = track;
    stray.insert(stray.begin() + kSecondPage, 7, 0x55);  // bytes between two pages
    EXPECT_EQ(Kept(stray), track);
    const Bytes withoutSecond = Without(track, kSecondPage, kThirdPage);
    Bytes otherSerial = track;
    otherSerial[kSecondPage + 14] ^= 0xFF;  // the second page of another stream
    oggpages::RepairChecksums(otherSerial);
    EXPECT_EQ(Kept(otherSerial), withoutSecond);
    Bytes repeated = track;
    repeated[kSecondPage + 18] = 0;  // the first page's number again
    oggpages::RepairChecksums(repeated);
    EXPECT_EQ(Kept(repeated), withoutSecond);
    // The same serial beginning anew after a lost end page is the next link.
    EXPECT_EQ(Kept(Joined(Head(track, 25120), track)), Head(track, 25120));
}

// Checksums decide what is a page: a capture pattern in stray bytes that
// claims many KiB must not hide the real pages after it.
TEST(FirstVorbisStream, DamagedPagesAndFalseCapturePatternsAreSkipped) {
    const Bytes track = Track();
    Bytes damaged = track;
    damaged[kSixthPage + 1000] ^= 0x01;
    EXPECT_EQ(Kept(damaged), Without(track, kSixthPage, kSeventhPage));
    Bytes fake = {'O', 'g', 'g', 'S', 0, 0};
    fake.resize(oggpages::kSegmentCountAt, 0);
    fake.push_back(60);
    fake.resize(fake.size() + 60, 255);  // 15 KiB, inside the file
    Bytes hidden = track;
    hidden.insert(hidden.begin() + kSecondPage, fake.begin(), fake.end());
    EXPECT_EQ(Kept(hidden), track);
}

// Capture patterns every 27 bytes, each claiming tens of KiB: checking them
// all would take minutes; the scan gives up instead and keeps nothing.
TEST(FirstVorbisStream, HostileCapturePatternsEndTheScanEarly) {
    Bytes header(oggpages::kHeaderBytes, 255);
    std::copy_n("OggS\0", 6, header.begin());
    Bytes hostile;
    for (int i = 0; i < 150000; ++i)
        hostile.insert(hostile.end(), header.begin(), header.end());
    EXPECT_TRUE(Kept(Joined(hostile, Track())).empty());
}
