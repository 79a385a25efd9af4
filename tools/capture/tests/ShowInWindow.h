#pragma once

// The show as the tests that draw it start it: in a small window of the
// display, without music, from the fixed seed, precalculated.
#include "engine/core/AppSettings.h"
#include "engine/core/CrtRandom.h"
#include "engine/render/Display.h"
#include "engine/render/GLFunctions.h"
#include "demo/CaptureDemo.h"
#include "tools/capture/CaptureRun.h"
#include "tools/shared/FrameGrab.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>

inline bool HasDisplay() {
    const char* display = std::getenv("DISPLAY");
    return display && *display;
}

// Runs from the source tree, whose data/ the show reads. The settings must
// outlive the show.
inline bool StartShowInWindow(CaptureDemo& demo, AppSettings& settings, uint32_t width, uint32_t height) {
    std::filesystem::current_path(ZP_SOURCE_DIR);
    settings.width = width;
    settings.height = height;
    settings.fullscreen = false;
    settings.vsync = false;
    settings.music = false;
    Srand(Demo::kRandomSeed);
    return demo.Init(&settings) && Precalculate(demo);
}

// One frame with the clock at `time`; read back into `grab` when one is given.
inline bool DrawFrameAt(CaptureDemo& demo, double time, RgbPicture* grab = nullptr) {
    demo.SetShowTime(time);
    demo.Update();
    demo.GetDisplay()->BeginFrame();
    if (!demo.Frame())
        return false;
    if (grab) {
        gl.glFinish();
        GrabFrame(demo.GetSettings()->width, demo.GetSettings()->height, *grab);
    }
    demo.GetDisplay()->EndFrame();
    return true;
}
