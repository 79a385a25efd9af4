#include "engine/platform/sdl/SdlSoundDevice.h"

#include "engine/platform/sdl/SdlSoundBuffer.h"
#include "engine/platform/sdl/SdlSystem.h"

#include <SDL.h>
#include <cstring>

namespace {

void SDLCALL FeedSilence(void* /*unused*/, Uint8* stream, int length) {
    std::memset(stream, 0, static_cast<size_t>(length));
}

}

namespace platform {

std::unique_ptr<SoundDevice> CreateSoundDevice(void* /*window*/) { return SdlSoundDevice::Create(); }

}

std::unique_ptr<SdlSoundDevice> SdlSoundDevice::Create() {
    bool started = false;
    platform::RunSdlAudioCall([&] { started = platform::SdlMayStartAudio() && SDL_InitSubSystem(SDL_INIT_AUDIO) == 0; });
    if (!started)
        return nullptr;
    std::unique_ptr<SdlSoundDevice> device(new SdlSoundDevice);
    // The subsystem starts even without any hardware; only opening a stream
    // tells whether sound can be played.
    bool canOpen = false;
    platform::RunSdlAudioCall([&] { canOpen = CanOpenOutput(); });
    if (!canOpen)
        return nullptr;
    return device;
}

SdlSoundDevice::~SdlSoundDevice() {
    platform::RunSdlAudioCall([] { SDL_QuitSubSystem(SDL_INIT_AUDIO); });
}

bool SdlSoundDevice::CanOpenOutput() {
    SDL_AudioSpec desired{};
    desired.freq = 44100;
    desired.format = AUDIO_S16LSB;
    desired.channels = 2;
    desired.samples = static_cast<Uint16>(platform::SdlProbeFrames());
    desired.callback = FeedSilence;
    SDL_AudioSpec obtained{};
    SDL_AudioDeviceID probe = SDL_OpenAudioDevice(nullptr, 0, &desired, &obtained, SDL_AUDIO_ALLOW_ANY_CHANGE);
    if (probe == 0)
        return false;
    SDL_CloseAudioDevice(probe);
    return true;
}

// SDL's audio needs no window; the level only matters to the Windows API.
bool SdlSoundDevice::SetCooperativeLevel(void* /*window*/, CooperativeLevel /*level*/) { return true; }

std::unique_ptr<SoundBuffer> SdlSoundDevice::CreateSoundBuffer(const PcmFormat& format, uint32_t bytes) {
    return SdlSoundBuffer::Create(format, bytes);
}
