#include "engine/platform/sdl/SdlSystem.h"

#include <SDL.h>

namespace platform {

// WebGL 2: SDL asks the canvas for it when an ES 3 context is wanted.
void SetSdlContextAttributes() {
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_ES);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 0);
}

// A browser's audio context renders in blocks of no fewer than 256 frames.
int SdlProbeFrames() { return 256; }

// The browser has its own audio context; no sound server to ask first.
bool SdlMayStartAudio() { return true; }

}
