#include "AudioTestTracks.h"

#include "engine/audio/MusicPlayer.h"
#include "engine/platform/SoundDevice.h"
#include "engine/platform/sdl/SdlSoundBuffer.h"
#include "engine/platform/sdl/SoundServerCheck.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

// SDL's "disk" driver is a real output device that writes what it plays to a
// file at real-time pace; it needs no sound hardware and no display.

namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

// Chooses SDL's audio driver (and the disk driver's file) for one test.
class ScopedAudioDriver {
public:
    ScopedAudioDriver(const char* driver, const std::string& file) {
        Remember("SDL_AUDIODRIVER", driver);
        Remember("SDL_DISKAUDIOFILE", file.c_str());
    }
    ~ScopedAudioDriver() {
        for (const auto& [name, value] : saved) {
            if (value.second)
                setenv(name.c_str(), value.first.c_str(), 1);
            else
                unsetenv(name.c_str());
        }
    }

private:
    void Remember(const char* name, const char* value) {
        const char* old = std::getenv(name);
        saved.push_back({name, {old ? old : "", old != nullptr}});
        setenv(name, value, 1);
    }
    std::vector<std::pair<std::string, std::pair<std::string, bool>>> saved;
};

PcmFormat StereoCd() {
    PcmFormat format;
    format.channels = 2;
    format.samplesPerSecond = 44100;
    format.bitsPerSample = 16;
    format.blockAlign = 4;
    format.averageBytesPerSecond = 176400;
    return format;
}

struct Summary {
    double mean = 0.0;
    double rms = 0.0;
    double worst = 0.0;
    double median = 0.0;
    double p99 = 0.0;
};

Summary Summarize(std::vector<double> values) {
    Summary summary;
    if (values.empty())
        return summary;
    for (double value : values) {
        summary.mean += value;
        summary.rms += value * value;
        summary.worst = std::max(summary.worst, std::fabs(value));
    }
    summary.mean /= values.size();
    summary.rms = std::sqrt(summary.rms / values.size());
    std::vector<double> magnitudes;
    for (double value : values)
        magnitudes.push_back(std::fabs(value));
    std::sort(magnitudes.begin(), magnitudes.end());
    summary.median = magnitudes[magnitudes.size() / 2];
    summary.p99 = magnitudes[magnitudes.size() * 99 / 100];
    return summary;
}

}

TEST(SoundDevice, NoDriverMeansNoDevice) {
    ScopedAudioDriver driver("no-such-driver", AudioScratchPath("none.raw"));
    EXPECT_EQ(platform::CreateSoundDevice(nullptr), nullptr);
    MusicPlayer player;
    EXPECT_FALSE(player.CreateDevice(nullptr));
    EXPECT_FALSE(player.IsDeviceReady());
}

// The audio subsystem starts, but no stream opens: that is no device either.
TEST(SoundDevice, ADeviceThatCannotOpenIsNoDevice) {
    ScopedAudioDriver driver("disk", "/nonexistent-directory/out.raw");
    EXPECT_EQ(platform::CreateSoundDevice(nullptr), nullptr);
}

// The buffer keeps the audio subsystem up after the device has gone.
TEST(SoundDevice, BufferOutlivesItsDevice) {
    ScopedAudioDriver driver("dummy", AudioScratchPath("dummy.raw"));
    std::unique_ptr<SoundDevice> device = platform::CreateSoundDevice(nullptr);
    ASSERT_NE(device, nullptr);
    PcmFormat wide = StereoCd();
    wide.bitsPerSample = 24;
    EXPECT_EQ(device->CreateSoundBuffer(wide, 35280), nullptr);
    std::unique_ptr<SoundBuffer> buffer = device->CreateSoundBuffer(StereoCd(), 35280);
    ASSERT_NE(buffer, nullptr);
    device.reset();
    EXPECT_TRUE(buffer->Play());
    // The driver's thread may sleep a whole period before its first chunk.
    std::this_thread::sleep_for(std::chrono::milliseconds(250));
    uint32_t play = 0;
    EXPECT_TRUE(buffer->GetCurrentPosition(&play, nullptr));
    EXPECT_GT(play, 0u);
}

// A quarter-second ring played for 0.6 s: the file holds the ring, lap after
// lap, and the cursor moves on steadily and stops when told.
TEST(SoundDevice, PlaysTheRingInALoop) {
    std::string file = AudioScratchPath("ring.raw");
    ScopedAudioDriver driver("disk", file);
    const uint32_t ringSize = 44100;
    std::vector<uint8_t> pattern(ringSize);
    for (uint32_t i = 0; i < ringSize; ++i)
        pattern[i] = static_cast<uint8_t>(i * 7 + 3);
    {
        std::unique_ptr<SoundDevice> device = platform::CreateSoundDevice(nullptr);
        ASSERT_NE(device, nullptr);
        std::unique_ptr<SoundBuffer> buffer = device->CreateSoundBuffer(StereoCd(), ringSize);
        ASSERT_NE(buffer, nullptr);
        void* region1 = nullptr;
        void* region2 = nullptr;
        uint32_t size1 = 0;
        uint32_t size2 = 0;
        ASSERT_TRUE(buffer->Lock(123, 0, &region1, &size1, &region2, &size2, kLockEntireBuffer));
        ASSERT_EQ(size1 + size2, ringSize);
        std::copy(pattern.begin() + 123, pattern.end(), static_cast<uint8_t*>(region1));
        std::copy(pattern.begin(), pattern.begin() + 123, static_cast<uint8_t*>(region2));
        buffer->Unlock(region1, size1, region2, size2);

        uint32_t play = 1;
        ASSERT_TRUE(buffer->GetCurrentPosition(&play, nullptr));
        EXPECT_EQ(play, 0u);
        ASSERT_TRUE(buffer->Play());
        uint64_t heard = 0;
        uint32_t previous = 0;
        Clock::time_point start = Clock::now();
        while (SecondsSince(start) < 0.6) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            uint32_t write = 0;
            ASSERT_TRUE(buffer->GetCurrentPosition(&play, &write));
            ASSERT_LT(play, ringSize);
            ASSERT_EQ(play % 4, 0u);
            // Between two reads 5 ms apart the cursor moves forward, by far
            // less than a lap: a step back would show as almost a whole lap.
            uint32_t step = (play + ringSize - previous) % ringSize;
            ASSERT_LT(step, ringSize / 2);
            heard += step;
            previous = play;
        }
        double elapsed = SecondsSince(start);
        // The driver's thread may sleep a whole period before its first
        // chunk, and the cursor runs on through the last chunk after Stop.
        const double period = SdlSoundBuffer::PeriodFrames(44100) / 44100.0;
        EXPECT_NEAR(static_cast<double>(heard) / 176400.0, elapsed, 0.03 + period);
        ASSERT_TRUE(buffer->Stop());
        std::this_thread::sleep_for(std::chrono::duration<double>(0.03 + period));
        buffer->GetCurrentPosition(&previous, nullptr);
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        buffer->GetCurrentPosition(&play, nullptr);
        EXPECT_EQ(play, previous);
    }
    Bytes written = ReadBytes(file);
    size_t silence = LeadingZeroBytes(written);
    ASSERT_EQ(silence % 4, 0u);
    // The played stretch is the ring from its start, over and over; after
    // Stop the device goes on writing silence.
    size_t played = 0;
    while (silence + played < written.size() && written[silence + played] == pattern[played % ringSize])
        ++played;
    EXPECT_GT(played, 2u * ringSize);
    EXPECT_TRUE(AllZero(written, silence + played + 4096, written.size()));
}

// Ten seconds of music played in real time by a steady 60 Hz frame loop.
TEST(MusicPlayerOnDisk, FollowsTheDeviceInRealTime) {
    if (!HaveVorbisTools())
        GTEST_SKIP() << "oggenc and oggdec (vorbis-tools) are not installed";
    std::string track = MadeTrack("chords-10s.ogg", 44100, 2, 10.0);
    ASSERT_FALSE(track.empty());
    Bytes reference;
    ASSERT_TRUE(DecodeWithOggdec(track, &reference));
    std::string file = AudioScratchPath("music.raw");
    ScopedAudioDriver driver("disk", file);

    std::vector<double> walls;
    std::vector<double> positions;
    {
        MusicPlayer player;
        ASSERT_TRUE(player.CreateDevice(nullptr));
        ASSERT_TRUE(player.Open(StreamOf(ReadBytes(track))));
        Clock::time_point start = Clock::now();
        player.Play();
        for (int frame = 1; frame <= 630; ++frame) {
            std::this_thread::sleep_until(start + std::chrono::microseconds(frame * 1000000LL / 60));
            // The player reads the cursor first thing in Update.
            walls.push_back(SecondsSince(start));
            player.Update();
            positions.push_back(player.GetPosition());
        }
    }

    // The device's own clock: a straight line through the positions.
    double sw = 0, sp = 0, sww = 0, swp = 0;
    int n = 0;
    for (size_t i = 0; i < walls.size(); ++i) {
        if (walls[i] < 0.2)
            continue;
        sw += walls[i];
        sp += positions[i];
        sww += walls[i] * walls[i];
        swp += walls[i] * positions[i];
        ++n;
    }
    double rate = (n * swp - sw * sp) / (n * sww - sw * sw);
    double offset = (sp - rate * sw) / n;
    std::vector<double> residuals;
    std::vector<double> versusWall;
    std::vector<double> versusFrame;
    std::vector<double> versusTick;
    for (size_t i = 0; i < walls.size(); ++i) {
        if (walls[i] >= 0.2)
            residuals.push_back(positions[i] - (offset + rate * walls[i]));
        versusWall.push_back(positions[i] - walls[i]);
        if (i == 0)
            continue;
        double delta = positions[i] - positions[i - 1];
        ASSERT_GE(delta, 0.0) << "frame " << i;
        if (walls[i - 1] >= 0.2) {
            versusFrame.push_back(delta - (walls[i] - walls[i - 1]));
            versusTick.push_back(delta - 1.0 / 60.0);
        }
    }
    Summary fit = Summarize(residuals);
    Summary wall = Summarize(versusWall);
    Summary frame = Summarize(versusFrame);
    Summary tick = Summarize(versusTick);
    std::printf("[ figures  ] disk driver pace %.5f x wall time (%+.2f%%), start offset %.1f ms\n", rate,
                (rate - 1.0) * 100.0, offset * 1000.0);
    std::printf("[ figures  ] position - wall: worst %.1f ms after %.2f s; - device line: worst %.3f ms\n",
                wall.worst * 1000.0, walls.back(), fit.worst * 1000.0);
    std::printf("[ figures  ] frame delta - wall delta: median %.3f ms, rms %.3f ms, p99 %.3f ms, worst %.3f ms\n",
                frame.median * 1000.0, frame.rms * 1000.0, frame.p99 * 1000.0, frame.worst * 1000.0);
    std::printf("[ figures  ] frame delta - 1/60 s:     median %.3f ms, rms %.3f ms, p99 %.3f ms, worst %.3f ms\n",
                tick.median * 1000.0, tick.rms * 1000.0, tick.p99 * 1000.0, tick.worst * 1000.0);
    EXPECT_LT(fit.worst, 0.05);
    EXPECT_NEAR(rate, 1.0, 0.02);
    // The driver's thread may be asleep for a period when playback starts.
    const double period = SdlSoundBuffer::PeriodFrames(44100) / 44100.0;
    EXPECT_LT(std::fabs(offset), 0.025 + period);
    // The bound is the typical frame; a loaded machine stalls the driver's
    // thread now and then, and a stalled file driver has written nothing.
    EXPECT_LT(frame.median, 0.00025);
#ifdef ZP_SANITIZED
    // Instrumented builds stall the driver's thread far more often.
    EXPECT_LT(frame.rms, 0.002);
#else
    EXPECT_LT(frame.rms, 0.0005);
#endif
    EXPECT_GT(positions.back(), 10.2); // time goes on past the end of the track

    Bytes written = ReadBytes(file);
    size_t lead = LeadingZeroBytes(written);
    size_t referenceLead = LeadingZeroBytes(reference);
    ASSERT_GE(lead, referenceLead);
    size_t silence = lead - referenceLead;
    EXPECT_EQ(silence % 4, 0u);
    Bytes played(written.begin() + static_cast<long>(silence), written.end());
    ASSERT_GE(played.size(), reference.size());
    EXPECT_TRUE(std::equal(reference.begin(), reference.end(), played.begin()));
    EXPECT_TRUE(AllZero(played, reference.size(), played.size()));
}

namespace {

// Frames at 60 Hz for `seconds`, each with the player's Update.
void PlayFrames(MusicPlayer& player, double seconds) {
    const Clock::time_point start = Clock::now();
    for (int frame = 1; frame <= static_cast<int>(seconds * 60); ++frame) {
        std::this_thread::sleep_until(start + std::chrono::microseconds(frame * 1000000LL / 60));
        player.Update();
    }
}

// How far `written` from `at` on equals `reference` from `from` on.
size_t MatchingBytes(const Bytes& written, size_t at, const Bytes& reference, size_t from) {
    size_t n = 0;
    while (at + n < written.size() && from + n < reference.size() && written[at + n] == reference[from + n])
        ++n;
    return n;
}

size_t Find(const Bytes& haystack, const Bytes& needle, size_t from, size_t count) {
    auto found = std::search(haystack.begin(), haystack.end(), needle.begin() + static_cast<long>(from),
                             needle.begin() + static_cast<long>(from + count));
    return found == haystack.end() ? std::string::npos : static_cast<size_t>(found - haystack.begin());
}

}

// What the device played: the track from its start, then from the sought
// second, then, after the silence of a pause, on from the very sample the
// pause stopped at.
TEST(MusicPlayerOnDisk, SeekAndPauseWhilePlayingGoOnFromTheRightSample) {
    if (!HaveVorbisTools())
        GTEST_SKIP() << "oggenc and oggdec (vorbis-tools) are not installed";
    std::string track = MadeTrack("chords-6s.ogg", 44100, 2, 6.0);
    ASSERT_FALSE(track.empty());
    Bytes reference;
    ASSERT_TRUE(DecodeWithOggdec(track, &reference));
    std::string file = AudioScratchPath("transport.raw");
    ScopedAudioDriver driver("disk", file);
    {
        MusicPlayer player;
        ASSERT_TRUE(player.CreateDevice(nullptr));
        ASSERT_TRUE(player.Open(StreamOf(ReadBytes(track))));
        player.Play();
        PlayFrames(player, 0.5);
        player.Seek(3.0);
        EXPECT_EQ(player.GetPosition(), 3.0);
        PlayFrames(player, 0.6);
        player.Pause();
        EXPECT_FALSE(player.IsPlaying());
        PlayFrames(player, 0.4);
        player.Resume();
        PlayFrames(player, 0.6);
    }
    const Bytes written = ReadBytes(file);
    const size_t sought = 3 * 176400;
    const size_t quarterSecond = 44100;

    // Before the seek: the track from its first sound.
    const size_t referenceLead = LeadingZeroBytes(reference);
    const size_t lead = LeadingZeroBytes(written);
    EXPECT_GE(MatchingBytes(written, lead, reference, referenceLead), quarterSecond);

    // After it: the track from 3 s, until the pause.
    const size_t resumedAt = Find(written, reference, sought, 4096);
    ASSERT_NE(resumedAt, std::string::npos) << "the sought second never played";
    EXPECT_EQ(resumedAt % 4, 0u);
    const size_t beforePause = MatchingBytes(written, resumedAt, reference, sought);
    EXPECT_GE(beforePause, 2 * quarterSecond);

    // The pause is silence; then the track goes on where it stopped.
    const size_t pauseStart = resumedAt + beforePause;
    const size_t pauseEnd = pauseStart + LeadingZeroBytes(written, pauseStart);
    EXPECT_GE(pauseEnd - pauseStart, quarterSecond);
    const size_t next = sought + beforePause + LeadingZeroBytes(reference, sought + beforePause);
    EXPECT_GE(MatchingBytes(written, pauseEnd, reference, next), 2 * quarterSecond);
}

TEST(SoundServerCheck, SdlStartsItsAudioOnlyWhereNoServerOrOneWithASinkAnswers) {
    int asked = 0;
    auto server = [&](SoundServerState state) {
        return [&asked, state] {
            ++asked;
            return state;
        };
    };
    EXPECT_TRUE(MaySdlStartAudio(nullptr, server(SoundServerState::HasSink)));
    EXPECT_TRUE(MaySdlStartAudio("", server(SoundServerState::Unreachable)));
    EXPECT_FALSE(MaySdlStartAudio(nullptr, server(SoundServerState::NoSink)));
    EXPECT_FALSE(MaySdlStartAudio("pulseaudio", server(SoundServerState::NoAnswer)));
    EXPECT_EQ(asked, 4);
    // Another driver chosen: the server is not SDL's business, nor asked.
    EXPECT_TRUE(MaySdlStartAudio("disk", server(SoundServerState::NoSink)));
    EXPECT_EQ(asked, 4);
}
