#include "engine/platform/sdl/SdlVideo.h"

#include <SDL.h>
#include <cstdlib>
#include <cstring>

namespace platform {

namespace {

bool DrawsNowhere(const char* driver) {
    return driver && (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0);
}

}

bool StartSdlVideo() {
    static bool running = false;
    if (running)
        return true;
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
        return false;
    if (!std::getenv("SDL_VIDEODRIVER") && DrawsNowhere(SDL_GetCurrentVideoDriver())) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        SDL_SetError("No display is available.");
        return false;
    }
    running = true;
    return true;
}

}
