#include "engine/platform/sdl/SdlFullscreenRoute.h"

namespace platform {

FullscreenRoute ChooseFullscreenRoute(const ScreenFacts& screen, uint32_t width, uint32_t height) {
    bool screenHasTheSize = screen.width == width && screen.height == height;
    return !screen.windowManager && screenHasTheSize ? FullscreenRoute::PlainWindow
                                                      : FullscreenRoute::AskWindowManager;
}

}
