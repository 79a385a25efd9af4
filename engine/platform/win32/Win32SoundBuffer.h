#pragma once

#include "engine/platform/win32/Win32DirectSoundSession.h"

#include "engine/platform/SoundDevice.h"

#include <memory>

// A looping DirectSound secondary buffer. The device mixes it on its own
// thread; Lock hands out the buffer's memory directly.
class Win32SoundBuffer : public SoundBuffer {
public:
    // A stopped buffer of `bytes` bytes on the session's device; null when
    // the device refuses the format or the size.
    static std::unique_ptr<Win32SoundBuffer> Create(std::shared_ptr<Win32DirectSoundSession> session,
                                                    const PcmFormat& format, uint32_t bytes);
    ~Win32SoundBuffer() override;

    Win32SoundBuffer(const Win32SoundBuffer&) = delete;
    Win32SoundBuffer& operator=(const Win32SoundBuffer&) = delete;

    bool Lock(uint32_t offset, uint32_t bytes, void** region1, uint32_t* size1, void** region2, uint32_t* size2,
              uint32_t flags) override;
    bool Unlock(void* region1, uint32_t size1, void* region2, uint32_t size2) override;
    bool Play() override;
    bool Stop() override;
    bool GetCurrentPosition(uint32_t* playCursor, uint32_t* writeCursor) override;
    bool SetCurrentPosition(uint32_t playCursor) override;
    bool IsLost() override;

private:
    Win32SoundBuffer(std::shared_ptr<Win32DirectSoundSession> session, IDirectSoundBuffer* buffer, uint32_t bytes);
    bool RangeWraps(uint32_t offset, uint32_t bytes, uint32_t flags) const;
    HRESULT LockOnce(uint32_t offset, uint32_t bytes, void** region1, uint32_t* size1, void** region2,
                     uint32_t* size2, uint32_t flags);

    std::shared_ptr<Win32DirectSoundSession> session;
    IDirectSoundBuffer* buffer;
    uint32_t ringBytes;
};
