#ifdef _WIN32

#include "engine/platform/SoundDevice.h"

#include <gtest/gtest.h>

namespace {

constexpr uint32_t kRingBytes = 352800;

PcmFormat StereoFormat() {
    PcmFormat format;
    format.channels = 2;
    format.samplesPerSecond = 44100;
    format.bitsPerSample = 16;
    format.blockAlign = 4;
    format.averageBytesPerSecond = 176400;
    return format;
}

// Needs an audio device; a machine without one has no DirectSound device.
class Win32SoundDeviceTest : public ::testing::Test {
protected:
    void SetUp() override {
        device = platform::CreateSoundDevice(nullptr);
        if (!device)
            GTEST_SKIP() << "no audio output device";
        buffer = device->CreateSoundBuffer(StereoFormat(), kRingBytes);
        ASSERT_TRUE(buffer);
    }

    std::unique_ptr<SoundDevice> device;
    std::unique_ptr<SoundBuffer> buffer;
};

TEST_F(Win32SoundDeviceTest, ALockPastTheEndContinuesAtTheStart) {
    void* first = nullptr;
    void* second = nullptr;
    uint32_t firstSize = 0;
    uint32_t secondSize = 0;
    ASSERT_TRUE(buffer->Lock(0, 0, &first, &firstSize, &second, &secondSize, kLockEntireBuffer));
    EXPECT_EQ(firstSize, kRingBytes);
    EXPECT_EQ(second, nullptr);
    EXPECT_EQ(secondSize, 0u);
    void* start = first;
    ASSERT_TRUE(buffer->Unlock(first, firstSize, second, secondSize));

    ASSERT_TRUE(buffer->Lock(300000, 100000, &first, &firstSize, &second, &secondSize, 0));
    EXPECT_EQ(firstSize, 52800u);
    EXPECT_EQ(secondSize, 47200u);
    EXPECT_EQ(second, start);
    EXPECT_EQ(first, static_cast<uint8_t*>(start) + 300000);
    ASSERT_TRUE(buffer->Unlock(first, firstSize, second, secondSize));
}

// A wrapping range needs the second region: cut at the end, its rest would
// never be written.
TEST_F(Win32SoundDeviceTest, ARangeOutsideTheBufferOrWrappingWithoutASecondRegionIsRefused) {
    void* first = nullptr;
    void* second = nullptr;
    uint32_t firstSize = 0;
    uint32_t secondSize = 0;
    EXPECT_FALSE(buffer->Lock(kRingBytes, 16, &first, &firstSize, &second, &secondSize, 0));
    EXPECT_FALSE(buffer->Lock(0, kRingBytes + 4, &first, &firstSize, &second, &secondSize, 0));
    EXPECT_FALSE(buffer->Lock(300000, 100000, &first, &firstSize, nullptr, nullptr, 0));
    ASSERT_TRUE(buffer->Lock(0, 176400, &first, &firstSize, nullptr, nullptr, 0));
    EXPECT_EQ(firstSize, 176400u);
    EXPECT_TRUE(buffer->Unlock(first, firstSize, nullptr, 0));
}

TEST_F(Win32SoundDeviceTest, ANewBufferStandsAtTheStart) {
    uint32_t play = 1;
    ASSERT_TRUE(buffer->GetCurrentPosition(&play, nullptr));
    EXPECT_EQ(play, 0u);
}

TEST_F(Win32SoundDeviceTest, TheStoppedCursorMovesWhereItIsSentAndNowhereOutside) {
    ASSERT_TRUE(buffer->SetCurrentPosition(176400));
    uint32_t play = 0;
    ASSERT_TRUE(buffer->GetCurrentPosition(&play, nullptr));
    EXPECT_EQ(play, 176400u);
    EXPECT_FALSE(buffer->SetCurrentPosition(kRingBytes));
    ASSERT_TRUE(buffer->SetCurrentPosition(0));
    ASSERT_TRUE(buffer->GetCurrentPosition(&play, nullptr));
    EXPECT_EQ(play, 0u);
}

TEST_F(Win32SoundDeviceTest, ABufferOutlivesItsDevice) {
    device.reset();
    EXPECT_TRUE(buffer->Play());
    EXPECT_TRUE(buffer->Stop());
}

}

#endif
