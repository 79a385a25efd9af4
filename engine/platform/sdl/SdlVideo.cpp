#include "engine/platform/sdl/SdlVideo.h"

#include <SDL.h>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/stat.h>

namespace platform {

namespace {

bool DrawsNowhere(const char* driver) {
    return driver && (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0);
}

bool IsSocket(const std::string& path) {
    struct stat status;
    return stat(path.c_str(), &status) == 0 && S_ISSOCK(status.st_mode);
}

// SDL connects to the session bus as it starts, for screen-saver and input
// method calls. Where no bus runs, the bus library would spawn dbus-launch
// to start one that nobody else would use: tell it there is none.
void DisableMissingSessionBus() {
    if (std::getenv("DBUS_SESSION_BUS_ADDRESS"))
        return;
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && IsSocket(std::string(runtime) + "/bus"))
        return;
    setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 0);
}

}

bool StartSdlVideo() {
    static bool running = false;
    if (running)
        return true;
    DisableMissingSessionBus();
    // Closing the window is a close event alone, as on Windows, so that a
    // tool may ask first; the window's own reaction quits otherwise.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
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

bool LoadSdlGL() {
    static bool loaded = false;
    if (!loaded)
        loaded = SDL_GL_LoadLibrary(nullptr) == 0;
    return loaded;
}

std::vector<SDL_DisplayMode> ListDisplayModes(int display) {
    std::vector<SDL_DisplayMode> modes;
    for (int index = 0; index < SDL_GetNumDisplayModes(display); ++index) {
        SDL_DisplayMode mode;
        if (SDL_GetDisplayMode(display, index, &mode) == 0 && mode.w > 0 && mode.h > 0)
            modes.push_back(mode);
    }
    SDL_DisplayMode desktop;
    if (modes.empty() && SDL_GetDesktopDisplayMode(display, &desktop) == 0 && desktop.w > 0 && desktop.h > 0)
        modes.push_back(desktop);
    return modes;
}

}
