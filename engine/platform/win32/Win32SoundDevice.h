#pragma once

#include "engine/platform/win32/Win32DirectSoundSession.h"

#include "engine/platform/SoundDevice.h"

#include <memory>

// The DirectSound 8 device on the default output.
class Win32SoundDevice : public SoundDevice {
public:
    // Null when DirectSound has no device, or the device cannot make a buffer.
    static std::unique_ptr<Win32SoundDevice> Create(void* window);

    bool SetCooperativeLevel(void* window, CooperativeLevel level) override;
    std::unique_ptr<SoundBuffer> CreateSoundBuffer(const PcmFormat& format, uint32_t bytes) override;

private:
    explicit Win32SoundDevice(std::shared_ptr<Win32DirectSoundSession> session);
    bool CanMakeBuffers();

    std::shared_ptr<Win32DirectSoundSession> session;
};
