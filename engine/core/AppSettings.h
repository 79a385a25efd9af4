#pragma once

#include "engine/render/DisplayMode.h"

#include <cstdint>

// The start-up settings; fixed defaults, changed only by the command line.
struct AppSettings {
    int32_t width = 1024;
    int32_t height = 768;
    bool fullscreen = true;
    int32_t colorBits = 32;
    int32_t depthBits = 32;
    int32_t stencilBits = 0;
    int32_t refreshRate = 0;
    bool vsync = true;
    bool postFx = true;
    bool music = true;
    bool useDisk = true;
    bool usePak = true;
    // Where there are no loose files to fall back on (the web), a pak that
    // does not open stops the program before the display opens.
    bool requirePak = false;
    bool writeLog = false;
    // Where the log goes when it is written; null for the program's log file.
    const char* logPath = nullptr;
    double startTime = 0.0;

    DisplayMode GetDisplayMode() const {
        DisplayMode mode;
        mode.width = static_cast<uint32_t>(width);
        mode.height = static_cast<uint32_t>(height);
        mode.fullscreen = fullscreen;
        mode.colorBits = static_cast<uint32_t>(colorBits);
        mode.depthBits = static_cast<uint32_t>(depthBits);
        mode.stencilBits = static_cast<uint32_t>(stencilBits);
        mode.refreshRate = static_cast<uint32_t>(refreshRate);
        return mode;
    }
};
