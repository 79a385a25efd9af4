#ifdef _WIN32

#include "engine/platform/win32/Win32Headers.h"

#include "engine/platform/NativeWindow.h"
#include "engine/render/OpenGLWindow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

namespace {

using Steps = std::vector<std::string>;

DisplayMode DesktopMode() {
    DEVMODEA desktop{};
    desktop.dmSize = sizeof desktop;
    EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &desktop);
    DisplayMode mode;
    mode.width = desktop.dmPelsWidth;
    mode.height = desktop.dmPelsHeight;
    mode.fullscreen = true;
    mode.colorBits = 32;
    mode.depthBits = 24;
    return mode;
}

bool Contains(const Steps& steps, const std::string& step) {
    return std::find(steps.begin(), steps.end(), step) != steps.end();
}

// The steps before the first one that takes something down again.
Steps UpToTeardown(const Steps& steps) { return Steps(steps.begin(), std::find(steps.begin(), steps.end(), "ReleaseDC")); }

Steps FirstOf(const Steps& steps, size_t count) {
    return Steps(steps.begin(), steps.begin() + static_cast<std::ptrdiff_t>(std::min(count, steps.size())));
}

const Steps kFullScreenOpening{"RegisterClass",     "ChangeDisplaySettings", "ShowCursor(FALSE)",
                               "CreateWindowEx",    "GetDC",                 "ChoosePixelFormat",
                               "SetPixelFormat",    "wglCreateContext",      "wglMakeCurrent"};

// Without a display (the unit tier's runs under Wine) the window cannot be
// made, with one the whole context is: the order holds either way.
class Win32NativeWindowTest : public ::testing::Test {
protected:
    Win32NativeWindowTest() { platform::RecordWindowSteps(&log); }
    ~Win32NativeWindowTest() override { platform::RecordWindowSteps(nullptr); }

    // The steps of Open, then those of Close.
    std::pair<Steps, Steps> OpenAndClose(const DisplayMode& mode) {
        window.Open(mode, false, "ZPDEMO_TEST_WINDOW");
        Steps opening = log.steps;
        log.steps.clear();
        window.Close();
        return {opening, log.steps};
    }

    platform::WindowStepLog log;
    OpenGLWindow window;
};

TEST_F(Win32NativeWindowTest, FullScreenSwitchesTheModeBeforeMakingAnUndecoratedWindow) {
    const auto [opening, closing] = OpenAndClose(DesktopMode());
    const Steps made = UpToTeardown(opening);
    ASSERT_GE(made.size(), 4u) << ::testing::PrintToString(opening);
    EXPECT_EQ(made, FirstOf(kFullScreenOpening, made.size()));
    EXPECT_EQ(log.createdStyle, static_cast<uint32_t>(WS_POPUP | WS_VISIBLE));
    EXPECT_EQ(log.createdExtendedStyle, static_cast<uint32_t>(WS_EX_APPWINDOW));

    // Close undoes it in reverse: whatever of the window is left, the class,
    // then the desktop's mode and the cursor.
    ASSERT_GE(closing.size(), 3u);
    EXPECT_EQ(Steps(closing.end() - 3, closing.end()),
              (Steps{"UnregisterClass", "ChangeDisplaySettings(desktop)", "ShowCursor(TRUE)"}));
    if (Contains(opening, "wglCreateContext")) {
        EXPECT_EQ(Steps(closing.begin(), closing.end() - 3),
                  (Steps{"wglDeleteContext", "ReleaseDC", "DestroyWindow"}));
    }
}

TEST_F(Win32NativeWindowTest, ARefusedModeFailsBeforeAnyWindowIsMade) {
    DisplayMode refused = DesktopMode();
    refused.width = 123;
    refused.height = 45;
    const auto [opening, closing] = OpenAndClose(refused);
    EXPECT_EQ(opening, (Steps{"RegisterClass", "ChangeDisplaySettings"}));
    EXPECT_FALSE(window.IsOpen());
    EXPECT_FALSE(Contains(closing, "ChangeDisplaySettings(desktop)"));
    EXPECT_FALSE(Contains(closing, "DestroyWindow"));
}

TEST_F(Win32NativeWindowTest, AWindowedWindowHasAFrameAndLeavesTheModeAlone) {
    DisplayMode windowed = DesktopMode();
    windowed.width = 320;
    windowed.height = 240;
    windowed.fullscreen = false;
    const auto [opening, closing] = OpenAndClose(windowed);
    ASSERT_GE(opening.size(), 2u);
    EXPECT_EQ(Steps(opening.begin(), opening.begin() + 2), (Steps{"RegisterClass", "CreateWindowEx"}));
    EXPECT_EQ(log.createdStyle, static_cast<uint32_t>(WS_POPUP | WS_VISIBLE | WS_OVERLAPPEDWINDOW));
    EXPECT_EQ(log.createdExtendedStyle, 0u);
    EXPECT_FALSE(Contains(opening, "ChangeDisplaySettings"));
    EXPECT_FALSE(Contains(closing, "ChangeDisplaySettings(desktop)"));
}

}

#endif
