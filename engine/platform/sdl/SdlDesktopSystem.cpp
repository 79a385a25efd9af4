#include "engine/platform/sdl/SdlSystem.h"

#include "engine/platform/sdl/SoundServerCheck.h"

#include <SDL.h>

namespace platform {

namespace {

// A sound server answers a local question in milliseconds.
constexpr double kServerCheckSeconds = 1.0;

}

void SetSdlContextAttributes() {
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
}

int SdlProbeFrames() { return 64; }

void RunSdlAudioCall(const std::function<void()>& call) { call(); }

// The swap itself waits for the display where the swap interval says so.
void AfterSdlSwap() {}

// SDL looks at the sound server only while its audio starts.
bool SdlMayStartAudio() {
    if (SDL_WasInit(SDL_INIT_AUDIO) != 0)
        return true;
    return MaySdlStartAudio(SDL_getenv("SDL_AUDIODRIVER"), [] { return AskPulseServer(kServerCheckSeconds); });
}

}
