#pragma once

#include "engine/platform/win32/Win32Headers.h"

// DirectSound takes the wave format that the multimedia header declares.
#include <mmreg.h>
#include <mmsystem.h>
#include <dsound.h>
#include <memory>

// The DirectSound library and its device object. Releasing the device
// releases every buffer made on it, so the device and each of its buffers
// share this session: it ends with the last of them.
class Win32DirectSoundSession {
public:
    // The default output device; null when the library or the device is missing.
    static std::shared_ptr<Win32DirectSoundSession> Open();
    ~Win32DirectSoundSession();

    Win32DirectSoundSession(const Win32DirectSoundSession&) = delete;
    Win32DirectSoundSession& operator=(const Win32DirectSoundSession&) = delete;

    IDirectSound8* Device() const { return device; }

private:
    Win32DirectSoundSession() = default;

    HMODULE library = nullptr;
    IDirectSound8* device = nullptr;
};
