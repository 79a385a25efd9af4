#pragma once

#include "engine/platform/SoundDevice.h"

#include <cstdint>
#include <memory>
#include <vector>

// A sound buffer in memory that plays nothing: its play cursor moves only
// when told, so a refill can be timed apart from any audio thread.
class ManualSoundBuffer : public SoundBuffer {
public:
    explicit ManualSoundBuffer(uint32_t size) : ring(size) {}

    bool Lock(uint32_t offset, uint32_t bytes, void** region1, uint32_t* size1, void** region2, uint32_t* size2,
              uint32_t flags) override;
    bool Unlock(void*, uint32_t, void*, uint32_t) override { return true; }
    bool Play() override { return true; }
    bool Stop() override { return true; }
    bool GetCurrentPosition(uint32_t* playCursor, uint32_t* writeCursor) override;
    bool SetCurrentPosition(uint32_t playCursor) override;

    void MoveCursor(uint32_t offset) { cursor = offset; }

private:
    std::vector<uint8_t> ring;
    uint32_t cursor = 0;
};

// Makes one ManualSoundBuffer and keeps a pointer to it for the caller.
class ManualSoundDevice : public SoundDevice {
public:
    explicit ManualSoundDevice(ManualSoundBuffer** made) : made(made) {}
    bool SetCooperativeLevel(void*, CooperativeLevel) override { return true; }
    std::unique_ptr<SoundBuffer> CreateSoundBuffer(const PcmFormat& format, uint32_t bytes) override;

private:
    ManualSoundBuffer** made;
};
