#ifndef _WIN32

#include "engine/platform/sdl/SdlFullscreenRoute.h"

#include <gtest/gtest.h>

using platform::ChooseFullscreenRoute;
using platform::FullscreenRoute;
using platform::ScreenFacts;

TEST(SdlFullscreenRoute, OnlyAScreenWithoutWindowManagerAlreadyAtTheSizeTakesThePlainWindow) {
    EXPECT_EQ(ChooseFullscreenRoute(ScreenFacts{false, 1024, 768}, 1024, 768), FullscreenRoute::PlainWindow);
    // A window manager may keep panels above a plain window: it is asked.
    EXPECT_EQ(ChooseFullscreenRoute(ScreenFacts{true, 1024, 768}, 1024, 768), FullscreenRoute::AskWindowManager);
    // Another size needs the mode switch that only SDL's full screen makes.
    EXPECT_EQ(ChooseFullscreenRoute(ScreenFacts{false, 1280, 1024}, 1024, 768), FullscreenRoute::AskWindowManager);
    EXPECT_EQ(ChooseFullscreenRoute(ScreenFacts{false, 1024, 600}, 1024, 768), FullscreenRoute::AskWindowManager);
    // A screen that reported no mode is not taken to have the size.
    EXPECT_EQ(ChooseFullscreenRoute(ScreenFacts{false, 0, 0}, 1024, 768), FullscreenRoute::AskWindowManager);
}

#endif
