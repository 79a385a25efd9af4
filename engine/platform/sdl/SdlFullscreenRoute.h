#pragma once

#include <cstdint>

namespace platform {

// How a full-screen window comes to cover the screen.
enum class FullscreenRoute {
    // SDL's full screen: it sets the screen's mode and asks the window
    // manager, then waits up to 100 ms for the window to change.
    AskWindowManager,
    // The window is shown as it was made, the screen's size at its corner:
    // with no window manager nobody would answer the request, and the screen
    // has the size already.
    PlainWindow,
};

// What the screen tells before a full-screen window is shown.
struct ScreenFacts {
    bool windowManager = true;
    uint32_t width = 0;  // of the current mode
    uint32_t height = 0;
};

FullscreenRoute ChooseFullscreenRoute(const ScreenFacts& screen, uint32_t width, uint32_t height);

}
