#include "engine/platform/ErrorDialog.h"

#include <SDL.h>
#include <cstdio>
#include <cstdlib>

namespace platform {

namespace {

bool DisplayAvailable() {
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x11 && *x11) || (wayland && *wayland);
}

}

bool DialogsDisabled() { return std::getenv("ZPDEMO_NO_DIALOGS") != nullptr; }

void ShowErrorBox(const char* caption, const char* text) {
    std::fprintf(stderr, "%s: %s\n", caption, text);
    std::fflush(stderr);
    if (DialogsDisabled() || !DisplayAvailable())
        return;
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, caption, text, nullptr);
}

}
