#include "FakeSoundDevice.h"

#include "engine/audio/MusicFailover.h"
#include "engine/audio/MusicPlayer.h"
#include "engine/files/MemoryStream.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

namespace {

MemoryStream Track() {
    MemoryStream stream;
    EXPECT_TRUE(stream.LoadFromFile(std::string(ZP_TEST_DATA_DIR) + "/music/chords-44k-stereo.ogg"));
    return stream;
}

// A player on a fake device whose cursor the test moves, and a failover
// whose opener makes further fakes, counted.
struct Failover {
    Failover() : failover(player, [this] { return OpenFake(); }) {
        auto owned = std::make_unique<FakeSoundDevice>(&log);
        first = owned.get();
        EXPECT_TRUE(player.UseDevice(std::move(owned), nullptr));
        EXPECT_TRUE(player.Open(Track()));
        player.Play();
        failover.Restart(0.0, 0.0);
    }

    SoundOutput OpenFake() {
        ++opened;
        SoundOutput output;
        auto device = std::make_unique<FakeSoundDevice>(&log);
        output.buffer = device->CreateSoundBuffer(player.Format(), MusicPlayer::kBufferBytes);
        latest = static_cast<FakeSoundBuffer*>(output.buffer.get());
        output.device = std::move(device);
        return output;
    }

    double Frame(double wall, FakeSoundBuffer* buffer, uint32_t cursor) {
        if (buffer)
            buffer->cursor = cursor;
        event = MusicFailoverEvent();
        return failover.Update(wall, event);
    }

    FakeSoundLog log;
    FakeSoundDevice* first = nullptr;
    std::atomic<int> opened{0};
    FakeSoundBuffer* latest = nullptr;
    MusicPlayer player;
    MusicFailover failover;
    MusicFailoverEvent event;
};

}

TEST(MusicFailover, AStalledDeviceIsClosedOffTheFrameLoopAndTheMusicComesBackOnANewOneInStep) {
    Failover show;
    FakeSoundBuffer* stalled = show.first->lastBuffer;
    const uint32_t second = show.player.Format().averageBytesPerSecond;
    EXPECT_DOUBLE_EQ(show.Frame(0.5, stalled, second / 2), 0.5);
    show.Frame(1.0, stalled, second);
    EXPECT_DOUBLE_EQ(show.Frame(1.25, stalled, second), 1.0);
    EXPECT_TRUE(show.event.lost);
    EXPECT_FALSE(show.player.HasOutput()); // handed to the opener's thread to close

    EXPECT_DOUBLE_EQ(show.Frame(2.25, nullptr, 0), 2.0); // real time, silent
    EXPECT_EQ(show.opened, 0);
    show.Frame(3.25, nullptr, 0); // two seconds on: an attempt
    for (int i = 0; i < 200 && !show.player.HasOutput(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        show.Frame(3.25, nullptr, 0);
    }
    ASSERT_TRUE(show.player.HasOutput());
    EXPECT_EQ(show.opened, 1);
    // The new device starts: the music is sought to the show's time, exactly.
    EXPECT_DOUBLE_EQ(show.Frame(3.5, show.latest, 4), 3.25);
    EXPECT_TRUE(show.event.back);
    EXPECT_DOUBLE_EQ(show.event.backAt, 3.25);
    EXPECT_DOUBLE_EQ(show.player.GetPosition(), 3.25);
    EXPECT_FALSE(show.failover.OnWallClock());
}
