#ifndef _WIN32
// The SDL backend's display queries against the X server and GL driver
// they run on; needs a display (a virtual X server will do).
#include "engine/platform/DisplayDevices.h"
#include "engine/platform/NativeWindow.h"
#include "engine/render/Display.h"
#include "tests/gl/GLTestBed.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>

namespace {

using platform::ExtendedPixelFormatRecord;

bool Offers(const std::vector<ExtendedPixelFormatRecord>& formats, uint32_t color, uint32_t depth) {
    return std::any_of(formats.begin(), formats.end(), [&](const ExtendedPixelFormatRecord& format) {
        return format.rgba && format.colorBits == color && format.depthBits >= depth;
    });
}

TEST(SdlDisplayProbe, ListsTheDriversFormatsWithoutAContextAndAgainOnASecondCall) {
    if (!HaveDisplay())
        GTEST_SKIP() << "no display";
    std::vector<platform::MonitorRecord> monitors;
    platform::ListMonitors(monitors);
    ASSERT_FALSE(monitors.empty());
    for (int call = 0; call < 2; ++call) {
        platform::PixelFormatProbe probe;
        std::string errorText;
        ASSERT_EQ(platform::ProbePixelFormats(monitors[0].handle, probe, errorText), platform::ProbeStatus::Done);
        EXPECT_TRUE(probe.extended);
        EXPECT_TRUE(Offers(probe.extendedFormats, 32, 24)) << probe.extendedFormats.size() << " formats";
        EXPECT_EQ(SDL_GL_GetCurrentContext(), nullptr);
    }
}

class SdlFullScreenTest : public GLTestBed {};

// Under a bare X server (no window manager), the screen's own size takes
// the plain window; either way the window covers the screen from its corner.
TEST_F(SdlFullScreenTest, AtTheScreensSizeTheWindowCoversTheScreen) {
    if (!HaveDisplay())
        GTEST_SKIP() << "no display";
    ASSERT_TRUE(platform::StartVideo("ZPDEMO_WINDOW"));
    SDL_DisplayMode desktop;
    ASSERT_EQ(SDL_GetDesktopDisplayMode(0, &desktop), 0);
    engine.display = &display;
    DisplayMode full = Windowed(static_cast<uint32_t>(desktop.w), static_cast<uint32_t>(desktop.h));
    full.fullscreen = true;
    ASSERT_TRUE(display.Open(DisplayAdapter(), full, false));
    auto* window = static_cast<SDL_Window*>(display.GetWindowHandle());
    int x = -1;
    int y = -1;
    int width = 0;
    int height = 0;
    SDL_GetWindowPosition(window, &x, &y);
    SDL_GetWindowSize(window, &width, &height);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    EXPECT_EQ(width, desktop.w);
    EXPECT_EQ(height, desktop.h);
    EXPECT_TRUE(SDL_GetWindowFlags(window) & SDL_WINDOW_SHOWN);
    display.Close();
}

}

#endif
