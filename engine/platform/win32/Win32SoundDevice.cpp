#include "engine/platform/win32/Win32SoundDevice.h"

#include "engine/platform/win32/Win32SoundBuffer.h"

namespace {

// A second of 44.1 kHz 16-bit stereo: what a device that plays anything takes.
PcmFormat ProbeFormat() {
    PcmFormat format;
    format.channels = 2;
    format.samplesPerSecond = 44100;
    format.bitsPerSample = 16;
    format.blockAlign = 4;
    format.averageBytesPerSecond = 44100 * 4;
    return format;
}

}

namespace platform {

std::unique_ptr<SoundDevice> CreateSoundDevice(void* window) { return Win32SoundDevice::Create(window); }

}

std::unique_ptr<Win32SoundDevice> Win32SoundDevice::Create(void* window) {
    std::shared_ptr<Win32DirectSoundSession> session = Win32DirectSoundSession::Open();
    if (!session)
        return nullptr;
    std::unique_ptr<Win32SoundDevice> device(new Win32SoundDevice(std::move(session)));
    // Buffers play only once the device has a cooperative level.
    device->SetCooperativeLevel(window, CooperativeLevel::Priority);
    if (!device->CanMakeBuffers())
        return nullptr;
    return device;
}

Win32SoundDevice::Win32SoundDevice(std::shared_ptr<Win32DirectSoundSession> session) : session(std::move(session)) {}

bool Win32SoundDevice::CanMakeBuffers() {
    PcmFormat format = ProbeFormat();
    return Win32SoundBuffer::Create(session, format, format.averageBytesPerSecond) != nullptr;
}

// DirectSound tracks the focus through the window; a program without one
// yet lends it the desktop's.
bool Win32SoundDevice::SetCooperativeLevel(void* window, CooperativeLevel level) {
    HWND owner = window ? static_cast<HWND>(window) : GetDesktopWindow();
    return SUCCEEDED(session->Device()->SetCooperativeLevel(owner, static_cast<DWORD>(level)));
}

std::unique_ptr<SoundBuffer> Win32SoundDevice::CreateSoundBuffer(const PcmFormat& format, uint32_t bytes) {
    return Win32SoundBuffer::Create(session, format, bytes);
}
