#pragma once

#include <SDL.h>

#include <vector>

namespace platform {

// Starts SDL's video subsystem on a real screen, once per process; later
// calls only report whether it runs. It is never stopped: this SDL's X11
// driver fails every other restart and falls back to drawing nowhere.
// SDL's offscreen and dummy drivers, which it takes where no display exists,
// count as failures unless asked for by name through SDL_VIDEODRIVER.
bool StartSdlVideo();

// Loads SDL's GL library the first time and keeps it for the process: SDL
// makes a throwaway window and context at every load after an unload, as
// the last GL window of the moment goes.
bool LoadSdlGL();

// The modes a display lists, those with a size. SDL's offscreen driver lists
// only one without a size; there the desktop mode is the display's one mode.
std::vector<SDL_DisplayMode> ListDisplayModes(int display);

}
