#pragma once

#include "engine/platform/CallbackStampExchange.h"
#include "engine/platform/CallbackTimeFilter.h"
#include "engine/platform/RingCursor.h"
#include "engine/platform/SoundDevice.h"

#include <SDL.h>
#include <atomic>
#include <memory>
#include <vector>

// A sound buffer on an SDL audio device of its own. SDL pulls audio through a
// callback on its audio thread; the callback copies the next chunk out of the
// ring at the read cursor. Lock hands out pointers into the same ring: the
// caller writes only where the cursor is not (the half it has just left).
class SdlSoundBuffer : public SoundBuffer {
public:
    // How long destruction waits for SDL to close the device. A device whose
    // sound server has stalled cannot close until the server moves again: it
    // is then left open, silent, and the process never waits for it.
    static constexpr double kCloseSeconds = 0.5;

    // Opens the default output device for the format; null when that fails.
    static std::unique_ptr<SdlSoundBuffer> Create(const PcmFormat& format, uint32_t bytes);
    ~SdlSoundBuffer() override;

    SdlSoundBuffer(const SdlSoundBuffer&) = delete;
    SdlSoundBuffer& operator=(const SdlSoundBuffer&) = delete;

    bool Lock(uint32_t offset, uint32_t bytes, void** region1, uint32_t* size1, void** region2, uint32_t* size2,
              uint32_t flags) override;
    bool Unlock(void* region1, uint32_t size1, void* region2, uint32_t size2) override;
    bool Play() override;
    bool Stop() override;
    bool GetCurrentPosition(uint32_t* playCursor, uint32_t* writeCursor) override;
    bool SetCurrentPosition(uint32_t playCursor) override;
    bool IsLost() override;

    // Device periods of this many frames, a power of two.
    static Uint16 PeriodFrames(uint32_t samplesPerSecond);

private:
    // What the callback reads and writes: it lives as long as the device,
    // which may be longer than this object.
    struct Stream {
        explicit Stream(uint32_t bytes) : ring(bytes, 0) {}
        std::vector<uint8_t> ring;
        DeviceTiming timing;
        // A release on `unlocks` publishes what the main thread wrote into
        // the ring before the callback reads it.
        std::atomic<uint32_t> readCursor{0};
        std::atomic<uint32_t> unlocks{0};
        std::atomic<bool> silent{false};
        CallbackStampExchange stamps;
        uint64_t bytesDelivered = 0;      // callback thread only
        CallbackTimeFilter callbackTimes; // callback thread only
    };

    SdlSoundBuffer(uint32_t bytes, uint32_t bytesPerSecond, uint32_t blockAlign);
    bool OpenDevice(const PcmFormat& format);
    static void SDLCALL FeedDevice(void* stream, Uint8* data, int length);
    static void Feed(Stream& stream, uint8_t* data, uint32_t length);
    static double Now();
    void Close();

    std::shared_ptr<Stream> stream;
    SDL_AudioDeviceID deviceId = 0;
    bool audioInitialized = false;
    RingCursor playCursor; // main thread only
};
