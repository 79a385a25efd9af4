#pragma once

#include "engine/platform/DisplayDevices.h"

#include <vector>

struct SDL_Window;

namespace platform {

// Questions to the X server behind a window SDL made, on SDL's own
// connection; each answers false where SDL drives no X display.

// The GLX frame-buffer configurations that draw double-buffered RGBA into
// windows, with no window or context of their own. False, too, where SDL's
// GL library has no GLX (SDL on EGL).
bool ListGlxPixelFormats(SDL_Window* window, std::vector<ExtendedPixelFormatRecord>& out);

// Whether the window's display has a window manager that announced itself
// the standard way; true where it cannot be told.
bool WindowManagerRuns(SDL_Window* window);

}
