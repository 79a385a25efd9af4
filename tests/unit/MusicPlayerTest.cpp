#include "AudioTestTracks.h"
#include "FakeSoundDevice.h"
#include "OggPages.h"

#include "engine/audio/FillFromDecoder.h"
#include "engine/audio/MusicPlayer.h"

#include <gtest/gtest.h>
#include <vorbis/codec.h>

#include <memory>
#include <string>
#include <vector>

namespace {

const uint32_t kHalf = MusicPlayer::kHalfBytes;

std::string TestData(const char* name) { return std::string(ZP_TEST_DATA_DIR) + "/music/" + name; }

MemoryStream LoadTrack(const char* name) {
    MemoryStream stream;
    EXPECT_TRUE(stream.LoadFromFile(TestData(name))) << name;
    return stream;
}

// A player on a fake device, the fake's log, and the buffer it made.
struct FakePlayer {
    FakePlayer() {
        auto owned = std::make_unique<FakeSoundDevice>(&log);
        device = owned.get();
        EXPECT_TRUE(player.UseDevice(std::move(owned), nullptr));
    }
    bool Open(const char* name) { return player.Open(LoadTrack(name)); }
    FakeSoundBuffer& Buffer() { return *device->lastBuffer; }
    // The cursor moves to `cursor`; the frame's Update follows it.
    double At(uint32_t cursor) {
        Buffer().cursor = cursor;
        player.Update();
        return player.GetPosition();
    }

    FakeSoundLog log;
    FakeSoundDevice* device = nullptr;
    MusicPlayer player;
};

void ExpectLock(const FakeSoundLog::LockCall& lock, uint32_t offset, uint32_t bytes, uint32_t flags) {
    EXPECT_EQ(lock.offset, offset);
    EXPECT_EQ(lock.bytes, bytes);
    EXPECT_EQ(lock.flags, flags);
}

}

TEST(MusicPlayerDevice, OpenNeedsADeviceFirst) {
    MusicPlayer player;
    EXPECT_FALSE(player.Open(LoadTrack("chords-44k-stereo.ogg")));
    EXPECT_FALSE(player.IsOpen());
    EXPECT_FALSE(player.UseDevice(nullptr, nullptr));
    EXPECT_FALSE(player.IsDeviceReady());
    // Without a track every operation is harmless.
    player.Seek(3.0);
    player.Play();
    player.Update();
    EXPECT_EQ(player.GetPosition(), 0.0);
}

TEST(MusicPlayerDevice, ClaimsPriorityAndMakesTheFixedBuffer) {
    FakePlayer fake;
    EXPECT_EQ(fake.log.cooperativeCalls, 1);
    EXPECT_EQ(fake.log.level, CooperativeLevel::Priority);
    ASSERT_TRUE(fake.Open("chords-44k-stereo.ogg"));
    ASSERT_EQ(fake.log.formats.size(), 1u);
    const PcmFormat& format = fake.log.formats[0];
    EXPECT_EQ(format.channels, 2);
    EXPECT_EQ(format.samplesPerSecond, 44100u);
    EXPECT_EQ(format.bitsPerSample, 16);
    EXPECT_EQ(format.blockAlign, 4);
    EXPECT_EQ(format.averageBytesPerSecond, 176400u);
    EXPECT_EQ(fake.log.bufferSizes[0], 352800u);
    ASSERT_EQ(fake.log.locks.size(), 1u);
    ExpectLock(fake.log.locks[0], 0, 352800, kLockEntireBuffer);
    EXPECT_EQ(fake.log.unlocks, 1);
    EXPECT_EQ(fake.player.GetPosition(), 0.0);
}

TEST(MusicPlayerDevice, FailsCleanlyWhenTheBufferCannotBeMade) {
    FakePlayer fake;
    fake.device->refuseBuffers = true;
    EXPECT_FALSE(fake.Open("chords-44k-stereo.ogg"));
    EXPECT_FALSE(fake.player.IsOpen());
    fake.player.Play();
    fake.player.Update();
    // The decoder was released with the failure: a later Open starts afresh.
    fake.device->refuseBuffers = false;
    EXPECT_TRUE(fake.Open("chords-44k-stereo.ogg"));
}

TEST(MusicPlayerDevice, RefusesStreamsThatAreNotVorbis) {
    FakePlayer fake;
    EXPECT_FALSE(fake.player.Open(StreamOf(Bytes(5000, 0x4F))));
    EXPECT_FALSE(fake.player.Open(MemoryStream()));
    EXPECT_FALSE(fake.player.IsOpen());
    EXPECT_TRUE(fake.log.formats.empty());
}

// The stereo test track with its bytes changed and its pages made whole again.
Bytes EditedTrack(const std::vector<std::pair<size_t, uint8_t>>& edits) {
    Bytes bytes = ReadBytes(TestData("chords-44k-stereo.ogg"));
    for (const auto& [at, value] : edits)
        bytes.at(at) = value;
    oggpages::RepairChecksums(bytes);
    return bytes;
}

// In the identification header: first page header (28 bytes), packet type
// and "vorbis" (7), version (4), then channels and rate.
constexpr size_t kChannelsAt = 39;
constexpr size_t kRateAt = 40;

Bytes TrackWithFormat(uint8_t channels, uint32_t rate) {
    return EditedTrack({{kChannelsAt, channels},
                        {kRateAt, static_cast<uint8_t>(rate)},
                        {kRateAt + 1, static_cast<uint8_t>(rate >> 8)},
                        {kRateAt + 2, static_cast<uint8_t>(rate >> 16)},
                        {kRateAt + 3, static_cast<uint8_t>(rate >> 24)}});
}

TEST(MusicPlayerDevice, RefusesFormatsTheBufferCannotPlay) {
    // 2^30 Hz made the bytes per second wrap to 0 and the clock NaN.
    const std::pair<uint8_t, uint32_t> refused[] = {{2, 1u << 30}, {2, 7999}, {2, 192001}, {3, 44100}};
    for (const auto& [channels, rate] : refused) {
        FakePlayer fake;
        EXPECT_FALSE(fake.player.Open(StreamOf(TrackWithFormat(channels, rate)))) << rate;
        EXPECT_FALSE(fake.player.IsOpen());
    }
    for (uint32_t rate : {8000u, 192000u}) {
        FakePlayer fake;
        EXPECT_TRUE(fake.player.Open(StreamOf(TrackWithFormat(2, rate)))) << rate;
        EXPECT_EQ(fake.log.formats[0].averageBytesPerSecond, rate * 4);
    }
}

TEST(MusicPlayerDevice, ReopeningReplacesTheTrackAndTeardownStopsIt) {
    FakeSoundLog log;
    {
        MusicPlayer player;
        ASSERT_TRUE(player.UseDevice(std::make_unique<FakeSoundDevice>(&log), nullptr));
        ASSERT_TRUE(player.Open(LoadTrack("chords-44k-stereo.ogg")));
        ASSERT_TRUE(player.Open(LoadTrack("chords-22k-mono.ogg")));
        EXPECT_EQ(log.buffersDestroyed, 1);
        player.Play();
        EXPECT_EQ(log.plays, 1);
        EXPECT_EQ(log.stops, 0);
    }
    EXPECT_EQ(log.stops, 1);
    EXPECT_EQ(log.buffersDestroyed, 2);
}

TEST(MusicPlayerRing, PositionRunsOnAcrossHalvesAndLaps) {
    FakePlayer fake;
    ASSERT_TRUE(fake.Open("chords-44k-stereo.ogg"));
    fake.player.Play();
    EXPECT_EQ(fake.At(100), 100.0 / 176400.0);
    EXPECT_EQ(fake.log.locks.size(), 1u);

    // Into the second half: half 0 is refilled, and from now on counts as played.
    EXPECT_EQ(fake.At(176500), 176500.0 / 176400.0);
    ASSERT_EQ(fake.log.locks.size(), 2u);
    ExpectLock(fake.log.locks[1], 0, kHalf, 0);
    EXPECT_EQ(fake.At(176600), 176600.0 / 176400.0);
    EXPECT_EQ(fake.log.locks.size(), 2u);

    // Wrapped to byte 10 of the second lap.
    EXPECT_EQ(fake.At(10), 352810.0 / 176400.0);
    ASSERT_EQ(fake.log.locks.size(), 3u);
    ExpectLock(fake.log.locks[2], kHalf, kHalf, 0);
    EXPECT_EQ(fake.At(176400), (352800.0 + 176400.0) / 176400.0);
}

TEST(MusicPlayerRing, SeekSetsTheExactPosition) {
    FakePlayer fake;
    ASSERT_TRUE(fake.Open("chords-44k-stereo.ogg"));
    fake.player.Seek(10.0);
    EXPECT_EQ(fake.player.GetPosition(), 10.0);
    ASSERT_EQ(fake.log.locks.size(), 2u);
    ExpectLock(fake.log.locks[1], 0, 352800, kLockEntireBuffer);
    // The base is 1764000 bytes: the cursor's bytes add to it.
    EXPECT_EQ(fake.At(0), 10.0);
    EXPECT_EQ(fake.At(176500), (1764000.0 + 176500.0) / 176400.0);
    // The 3-second track ends long before 10 s: the seek fills silence, it
    // does not go on playing from where the decoder was.
    EXPECT_TRUE(AllZero(fake.Buffer().ring, 0, 352800));
    fake.player.Seek(-1.0);
    EXPECT_EQ(fake.player.GetPosition(), 0.0);
}

TEST(MusicPlayerRing, MonoTrackKeepsTheBufferButUsesItsOwnRate) {
    FakePlayer fake;
    ASSERT_TRUE(fake.Open("chords-22k-mono.ogg"));
    const PcmFormat& format = fake.log.formats[0];
    EXPECT_EQ(format.channels, 1);
    EXPECT_EQ(format.samplesPerSecond, 22050u);
    EXPECT_EQ(format.blockAlign, 2);
    EXPECT_EQ(format.averageBytesPerSecond, 44100u);
    EXPECT_EQ(fake.log.bufferSizes[0], 352800u);
    EXPECT_EQ(fake.At(176500), 176500.0 / 44100.0);
    EXPECT_EQ(fake.At(10), 352810.0 / 44100.0);
    fake.player.Seek(2.5);
    EXPECT_EQ(fake.player.GetPosition(), 2.5);
}

TEST(MusicPlayerRing, AfterTheTrackEndsHalvesAreSilentAndTimeGoesOn) {
    FakePlayer fake;
    ASSERT_TRUE(fake.Open("chords-44k-stereo.ogg")); // 3 s, the buffer holds 2
    double previous = 0.0;
    for (int lap = 1; lap <= 4; ++lap) {
        double second = fake.At(kHalf + 4);
        double first = fake.At(4);
        EXPECT_GT(second, previous);
        EXPECT_EQ(first, (lap * 352800.0 + 4) / 176400.0);
        previous = first;
    }
    // Seconds 6 to 8 of a 3-second track.
    EXPECT_TRUE(AllZero(fake.Buffer().ring, 0, 352800));
}

TEST(MusicPlayerRing, ADecoderThatFailedStaysSilentAndIsNeverAskedAgain) {
    // A damaged codebook: the headers open, the first read cannot set the
    // decoder up, and a seek into what it left behind divided by zero.
    FakePlayer fake;
    ASSERT_TRUE(fake.player.Open(StreamOf(EditedTrack({{301, 0xFF}}))));
    EXPECT_TRUE(fake.player.HasDecoderFailed());
    for (double seconds : {1.0, 0.0, 2.5}) {
        fake.player.Seek(seconds);
        EXPECT_EQ(fake.player.GetPosition(), seconds);
        EXPECT_TRUE(AllZero(fake.Buffer().ring, 0, 352800));
    }
    fake.At(kHalf + 4);
    fake.At(4);
    EXPECT_TRUE(AllZero(fake.Buffer().ring, 0, 352800));

    // Only opening the track again brings music back.
    ASSERT_TRUE(fake.Open("chords-44k-stereo.ogg"));
    EXPECT_FALSE(fake.player.HasDecoderFailed());
    EXPECT_FALSE(AllZero(fake.Buffer().ring, 0, 352800));
}

TEST(MusicPlayerRing, TheTrackEndingIsNoFailure) {
    FakePlayer fake;
    ASSERT_TRUE(fake.Open("chords-44k-stereo.ogg")); // 3 s
    for (int lap = 0; lap < 3; ++lap) {
        fake.At(kHalf + 4);
        fake.At(4);
    }
    EXPECT_TRUE(AllZero(fake.Buffer().ring, 0, 352800));
    fake.player.Seek(30.0);
    EXPECT_TRUE(AllZero(fake.Buffer().ring, 0, 352800));
    fake.player.Seek(0.5);
    EXPECT_FALSE(fake.player.HasDecoderFailed());
    EXPECT_FALSE(AllZero(fake.Buffer().ring, 0, 352800));
}

TEST(MusicPlayerRing, ALockThatFailsIsLeftAlone) {
    FakePlayer fake;
    ASSERT_TRUE(fake.Open("chords-44k-stereo.ogg"));
    fake.Buffer().failLocks = true;
    EXPECT_EQ(fake.At(kHalf), 1.0);
    EXPECT_EQ(fake.At(0), 2.0);
}

TEST(MusicPlayerTransport, SeekWhilePlayingRefillsFromTheSoughtSampleAndPlaysOn) {
    FakePlayer reference;
    ASSERT_TRUE(reference.Open("chords-44k-stereo.ogg"));
    reference.player.Seek(1.25);

    FakePlayer fake;
    ASSERT_TRUE(fake.Open("chords-44k-stereo.ogg"));
    fake.player.Play();
    fake.At(kHalf + 100);
    fake.At(5000);
    fake.player.Seek(1.25);
    EXPECT_EQ(fake.log.cursorMoves.back(), 0u);
    EXPECT_EQ(fake.log.stops, 1);
    EXPECT_EQ(fake.log.plays, 2);
    EXPECT_TRUE(fake.player.IsPlaying());
    EXPECT_EQ(fake.player.GetPosition(), 1.25);
    EXPECT_TRUE(fake.Buffer().ring == reference.Buffer().ring) << "not the track from 1.25 s";
    EXPECT_EQ(fake.At(kHalf + 4), 1.25 + (kHalf + 4) / 176400.0);
}

TEST(MusicPlayerTransport, PauseHoldsThePositionAndASeekWhilePausedStaysPaused) {
    FakePlayer fake;
    ASSERT_TRUE(fake.Open("chords-44k-stereo.ogg"));
    fake.player.Pause();
    EXPECT_EQ(fake.log.stops, 0) << "nothing was playing";
    fake.player.Play();
    EXPECT_EQ(fake.At(5000), 5000 / 176400.0);
    fake.player.Pause();
    EXPECT_EQ(fake.log.stops, 1);
    EXPECT_EQ(fake.At(5000), 5000 / 176400.0);
    fake.player.Seek(0.5);
    EXPECT_EQ(fake.log.plays, 1);
    EXPECT_FALSE(fake.player.IsPlaying());
    fake.player.Resume();
    EXPECT_EQ(fake.log.plays, 2);
    EXPECT_EQ(fake.At(0), 0.5);
}

// A decoder that answers from a script, then reports the end of the track.
struct ScriptedDecoder {
    explicit ScriptedDecoder(std::vector<long> script) : script(std::move(script)) {}
    long operator()(char* destination, int bytes) {
        asked.push_back(bytes);
        long result = next < script.size() ? script[next++] : 0;
        for (long i = 0; i < result && i < bytes; ++i)
            destination[i] = 1;
        return result;
    }
    std::vector<long> script;
    size_t next = 0;
    std::vector<int> asked;
};

TEST(DecoderFill, AsksForTheRoomLeftUntilFull) {
    ScriptedDecoder decoder({600, 400, 99});
    std::vector<uint8_t> region(1000, 0);
    FillResult result = FillFromDecoder(region.data(), 1000, std::ref(decoder));
    EXPECT_EQ(result.bytesDecoded, 1000u);
    EXPECT_FALSE(result.trackEnded);
    EXPECT_EQ(decoder.asked, (std::vector<int>{1000, 400}));
}

TEST(DecoderFill, SkipsHolesAndStopsAtTheEnd) {
    ScriptedDecoder decoder({100, OV_HOLE, 100, OV_HOLE, 0, 50});
    std::vector<uint8_t> region(1000, 0);
    FillResult result = FillFromDecoder(region.data(), 1000, std::ref(decoder));
    EXPECT_EQ(result.bytesDecoded, 200u);
    EXPECT_TRUE(result.trackEnded);
    EXPECT_FALSE(result.decoderFailed);
    EXPECT_EQ(decoder.next, 5u);
}

TEST(DecoderFill, DamageNeverKeepsItTurningOrWritingOutside) {
    std::vector<uint8_t> region(1000, 0);
    ScriptedDecoder holes(std::vector<long>(10000, OV_HOLE));
    FillResult result = FillFromDecoder(region.data(), 1000, std::ref(holes));
    EXPECT_TRUE(result.decoderFailed);
    EXPECT_EQ(holes.next, static_cast<size_t>(kMaxHolesPerFill) + 1);

    for (long error : {long{OV_EBADLINK}, long{OV_EINVAL}, long{OV_EREAD}, -1L}) {
        ScriptedDecoder broken({300, error, 300});
        result = FillFromDecoder(region.data(), 1000, std::ref(broken));
        EXPECT_EQ(result.bytesDecoded, 300u) << error;
        EXPECT_TRUE(result.trackEnded && result.decoderFailed) << error;
    }

    ScriptedDecoder boastful({900, 500});
    result = FillFromDecoder(region.data(), 1000, std::ref(boastful));
    EXPECT_EQ(result.bytesDecoded, 900u);
    EXPECT_TRUE(result.decoderFailed);
}
