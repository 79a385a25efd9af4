#include "engine/platform/ErrorDialog.h"

#include <SDL.h>
#include <cstdlib>

namespace platform {

namespace {

bool DisplayAvailable() {
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x11 && *x11) || (wayland && *wayland);
}

}

void ShowNativeErrorBox(const char* caption, const char* text) {
    if (DisplayAvailable())
        SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, caption, text, nullptr);
}

}
