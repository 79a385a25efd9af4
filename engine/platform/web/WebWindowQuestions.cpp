// The desktop asks the X server behind SDL's window; a canvas has none.
#include "engine/platform/sdl/SdlX11Display.h"

namespace platform {

bool ListGlxPixelFormats(SDL_Window* /*window*/, std::vector<ExtendedPixelFormatRecord>& /*out*/) { return false; }

// The page places the canvas: there is nothing to go around.
bool WindowManagerRuns(SDL_Window* /*window*/) { return true; }

}
