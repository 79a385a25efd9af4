#pragma once

#include "engine/platform/SoundDevice.h"

// The SDL audio subsystem, held for as long as the device lives.
class SdlSoundDevice : public SoundDevice {
public:
    // Null when the subsystem does not start or no output stream opens.
    static std::unique_ptr<SdlSoundDevice> Create();
    ~SdlSoundDevice() override;

    SdlSoundDevice(const SdlSoundDevice&) = delete;
    SdlSoundDevice& operator=(const SdlSoundDevice&) = delete;

    bool SetCooperativeLevel(void* window, CooperativeLevel level) override;
    std::unique_ptr<SoundBuffer> CreateSoundBuffer(const PcmFormat& format, uint32_t bytes) override;

private:
    SdlSoundDevice() = default;
    static bool CanOpenOutput();
};
