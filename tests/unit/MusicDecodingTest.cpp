#include "AudioTestTracks.h"
#include "FakeSoundDevice.h"
#include "OggPages.h"

#include "engine/audio/MusicPlayer.h"

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <numeric>
#include <string>
#include <vector>

namespace {

const uint32_t kHalf = MusicPlayer::kHalfBytes;
const char* const kSoundThemeDir = "/usr/share/sounds/freedesktop/stereo";

// A player on a fake buffer whose cursor walks half by half: everything it
// writes into the ring, in the order the ring would play it.
class RingRecorder {
public:
    bool Open(const MemoryStream& encoded) {
        auto owned = std::make_unique<FakeSoundDevice>(&log);
        device = owned.get();
        return player.UseDevice(std::move(owned), nullptr) && player.Open(encoded);
    }
    // The prefilled ring, then each half as it is refilled, until `bytes`.
    Bytes Record(size_t bytes) {
        FakeSoundBuffer& buffer = *device->lastBuffer;
        Bytes played(buffer.ring.begin(), buffer.ring.end());
        uint32_t half = 0;
        while (played.size() < bytes) {
            buffer.cursor = (1 - half) * kHalf;
            player.Update();
            auto start = buffer.ring.begin() + half * kHalf;
            played.insert(played.end(), start, start + kHalf);
            half = 1 - half;
        }
        return played;
    }

    FakeSoundLog log;
    FakeSoundDevice* device = nullptr;
    MusicPlayer player;
};

// The first differing byte, for a readable failure instead of a megabyte dump.
::testing::AssertionResult SameBytes(const Bytes& played, size_t from, const Bytes& reference) {
    if (played.size() < from + reference.size())
        return ::testing::AssertionFailure() << "only " << played.size() << " bytes played";
    auto mismatch = std::mismatch(reference.begin(), reference.end(), played.begin() + from);
    if (mismatch.first != reference.end())
        return ::testing::AssertionFailure()
               << "byte " << (mismatch.first - reference.begin()) << " of " << reference.size() << " differs";
    return ::testing::AssertionSuccess();
}

// The whole track, sample for sample as the reference decoder gives
// `referencePath` (by default the file itself), then silence.
void ExpectPlaysAsReference(const std::string& path, const std::string& referencePath = {}) {
    SCOPED_TRACE(path);
    Bytes reference;
    ASSERT_TRUE(DecodeWithOggdec(referencePath.empty() ? path : referencePath, &reference));
    ASSERT_FALSE(reference.empty());
    RingRecorder recorder;
    ASSERT_TRUE(recorder.Open(StreamOf(ReadBytes(path))));
    Bytes played = recorder.Record(reference.size() + kHalf);
    EXPECT_TRUE(SameBytes(played, 0, reference));
    EXPECT_TRUE(AllZero(played, reference.size(), played.size()));
}

std::vector<size_t> PageStarts(const Bytes& file) {
    std::vector<size_t> starts;
    for (size_t i = 0; i + 4 <= file.size(); ++i)
        if (file[i] == 'O' && file[i + 1] == 'g' && file[i + 2] == 'g' && file[i + 3] == 'S')
            starts.push_back(i);
    return starts;
}

// The committed stereo track, each of its pages after one of a stream that
// is not Vorbis.
Bytes Interleaved(const Bytes& track) {
    const size_t pageStarts[] = {0, 58, 3932, 8189, 12418, 16572, 20827, 25120, track.size()};
    Bytes file;
    for (uint32_t page = 0; page + 1 < std::size(pageStarts); ++page) {
        file = Joined(file, oggpages::MakePage(page == 0 ? 0x2 : 0, 77, page, Bytes(300, 'x')));
        file.insert(file.end(), track.begin() + pageStarts[page], track.begin() + pageStarts[page + 1]);
    }
    return file;
}

std::string TenSecondTrack() { return MadeTrack("chords-10s.ogg", 44100, 2, 10.0); }

}

#define REQUIRE_VORBIS_TOOLS()                                               \
    if (!HaveVorbisTools())                                                  \
        GTEST_SKIP() << "oggenc and oggdec (vorbis-tools) are not installed"

TEST(MusicDecoding, CommittedTracksPlayAsTheReferenceDecodes) {
    REQUIRE_VORBIS_TOOLS();
    ExpectPlaysAsReference(std::string(ZP_TEST_DATA_DIR) + "/music/chords-44k-stereo.ogg");
    ExpectPlaysAsReference(std::string(ZP_TEST_DATA_DIR) + "/music/chords-22k-mono.ogg");
}

TEST(MusicDecoding, TenSecondTrackPlaysAsTheReferenceDecodes) {
    REQUIRE_VORBIS_TOOLS();
    std::string track = TenSecondTrack();
    ASSERT_FALSE(track.empty());
    ExpectPlaysAsReference(track);
}

// The desktop sound theme: mono and stereo, 8 to 96 kHz, from 60 ms to 6 s.
TEST(MusicDecoding, SoundThemeFilesPlayAsTheReferenceDecodes) {
    REQUIRE_VORBIS_TOOLS();
    if (!std::filesystem::is_directory(kSoundThemeDir))
        GTEST_SKIP() << "sound-theme-freedesktop is not installed";
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(kSoundThemeDir)) {
        if (entry.path().extension() != ".oga")
            continue;
        ExpectPlaysAsReference(entry.path().string());
        ++files;
    }
    EXPECT_GT(files, 10);
}

// What other players accept around a track: each file plays its first Vorbis
// stream alone, as the reference decodes that stream.
TEST(MusicDecoding, ChainsMultiplexesTagsAndPaddingPlayTheFirstVorbisStream) {
    REQUIRE_VORBIS_TOOLS();
    const std::string trackPath = std::string(ZP_TEST_DATA_DIR) + "/music/chords-44k-stereo.ogg";
    const Bytes track = ReadBytes(trackPath);
    const Bytes other = ReadBytes(std::string(ZP_TEST_DATA_DIR) + "/music/chords-22k-mono.ogg");
    Bytes id3v1 = {'T', 'A', 'G'};
    id3v1.resize(128, 0x20);
    // A title frame that reads "OggS".
    const Bytes id3v2 = {'I', 'D', '3', 4, 0, 0, 0, 0, 0, 16,  'T', 'I', 'T',
                         '2', 0,   0,   0, 6, 0, 0, 3, 'O', 'g', 'g', 'S', 0};
    const std::pair<const char*, Bytes> files[] = {
        {"chained.ogg", Joined(track, other)},
        {"interleaved.ogg", Interleaved(track)},
        {"id3v1.ogg", Joined(track, id3v1)},
        {"padded.ogg", Joined(track, Bytes(4096, 0))},
        {"id3v2.ogg", Joined(id3v2, track)},
    };
    for (const auto& [name, bytes] : files) {
        const std::string path = AudioScratchPath(name);
        ASSERT_TRUE(WriteBytes(path, bytes));
        ExpectPlaysAsReference(path, trackPath);
    }
}

// Two pages cut out of the middle: the decoder reports a hole, which is
// skipped, and playing goes on as the reference decoder goes on.
TEST(MusicDecoding, StreamWithAHolePlaysOn) {
    REQUIRE_VORBIS_TOOLS();
    std::string track = TenSecondTrack();
    ASSERT_FALSE(track.empty());
    Bytes file = ReadBytes(track);
    std::vector<size_t> pages = PageStarts(file);
    ASSERT_GT(pages.size(), 20u);
    size_t cut = pages.size() / 2;
    Bytes damaged(file.begin(), file.begin() + pages[cut]);
    damaged.insert(damaged.end(), file.begin() + pages[cut + 2], file.end());
    std::string damagedPath = AudioScratchPath("hole.ogg");
    ASSERT_TRUE(WriteBytes(damagedPath, damaged));

    Bytes whole;
    Bytes holed;
    ASSERT_TRUE(DecodeWithOggdec(track, &whole));
    ASSERT_TRUE(DecodeWithOggdec(damagedPath, &holed));
    ASSERT_LT(holed.size(), whole.size());
    ExpectPlaysAsReference(damagedPath);
}

// Cut inside a page: the track ends where the last whole page ends.
TEST(MusicDecoding, TruncatedStreamPlaysWhatItHolds) {
    REQUIRE_VORBIS_TOOLS();
    std::string track = TenSecondTrack();
    ASSERT_FALSE(track.empty());
    Bytes file = ReadBytes(track);
    std::vector<size_t> pages = PageStarts(file);
    ASSERT_GT(pages.size(), 20u);
    size_t page = pages.size() * 2 / 3;
    file.resize((pages[page] + pages[page + 1]) / 2);
    std::string truncatedPath = AudioScratchPath("truncated.ogg");
    ASSERT_TRUE(WriteBytes(truncatedPath, file));
    ExpectPlaysAsReference(truncatedPath);
}

TEST(MusicDecoding, SeekStartsAtTheExactSample) {
    REQUIRE_VORBIS_TOOLS();
    std::string track = TenSecondTrack();
    ASSERT_FALSE(track.empty());
    Bytes reference;
    ASSERT_TRUE(DecodeWithOggdec(track, &reference));
    RingRecorder recorder;
    ASSERT_TRUE(recorder.Open(StreamOf(ReadBytes(track))));

    recorder.player.Seek(7.0);
    EXPECT_EQ(recorder.player.GetPosition(), 7.0);
    Bytes tail(reference.begin() + 7 * 176400, reference.end());
    Bytes played = recorder.Record(tail.size() + kHalf);
    EXPECT_TRUE(SameBytes(played, 0, tail));
    EXPECT_TRUE(AllZero(played, tail.size(), played.size()));

    // Half a second before the end: the rest of the ring is silence, not
    // what the buffer held before.
    recorder.player.Seek(9.5);
    const Bytes& ring = recorder.device->lastBuffer->ring;
    Bytes last(reference.begin() + 19 * 88200, reference.end());
    EXPECT_TRUE(SameBytes(Bytes(ring.begin(), ring.end()), 0, last));
    EXPECT_TRUE(AllZero(ring, last.size(), ring.size()));
}

// Prints what one refill (a second of 44.1 kHz stereo) costs on this machine,
// against the reference decoder on the same file. Run it alone with
// --gtest_filter=MusicFigures.*
TEST(MusicFigures, RefillCostAgainstTheReferenceDecoder) {
    REQUIRE_VORBIS_TOOLS();
    std::string track = TenSecondTrack();
    ASSERT_FALSE(track.empty());
    RingRecorder recorder;
    ASSERT_TRUE(recorder.Open(StreamOf(ReadBytes(track))));
    FakeSoundBuffer& buffer = *recorder.device->lastBuffer;
    std::vector<double> refills;
    for (uint32_t half = 0; refills.size() < 8; half = 1 - half) {
        buffer.cursor = (1 - half) * kHalf;
        std::clock_t before = std::clock();
        recorder.player.Update();
        refills.push_back(static_cast<double>(std::clock() - before) / CLOCKS_PER_SEC);
    }
    double refillMean = std::accumulate(refills.begin(), refills.end(), 0.0) / refills.size();
    double refillWorst = *std::max_element(refills.begin(), refills.end());

    const int runs = 5;
    rusage childrenBefore{};
    rusage childrenAfter{};
    getrusage(RUSAGE_CHILDREN, &childrenBefore);
    for (int run = 0; run < runs; ++run)
        ASSERT_EQ(std::system(("oggdec -Q -R -o /dev/null '" + track + "'").c_str()), 0);
    getrusage(RUSAGE_CHILDREN, &childrenAfter);
    auto seconds = [](const rusage& usage) {
        return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
               (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    };
    double oggdecPerSecond = (seconds(childrenAfter) - seconds(childrenBefore)) / runs / 10.0;

    std::printf("[ figures  ] one half refill (1 s of 44.1 kHz stereo): mean %.2f ms CPU, worst %.2f ms\n",
                refillMean * 1000.0, refillWorst * 1000.0);
    std::printf("[ figures  ] oggdec on the same file: %.2f ms CPU per second of sound (whole process, %d runs)\n",
                oggdecPerSecond * 1000.0, runs);
    // The other half plays for a second meanwhile; a frame must not take a
    // sizeable part of it.
    EXPECT_LT(refillWorst, 0.1);
}
