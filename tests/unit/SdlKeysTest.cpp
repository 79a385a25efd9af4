#ifndef _WIN32

#include "engine/platform/sdl/SdlKeys.h"

#include <SDL.h>
#include <gtest/gtest.h>

using platform::Key;

TEST(SdlKeys, EveryKeyTheToolsUseHasItsNeutralName) {
    EXPECT_EQ(KeyFromSdlKeycode(SDLK_ESCAPE), Key::Escape);
    EXPECT_EQ(KeyFromSdlKeycode(SDLK_SPACE), Key::Space);
    EXPECT_EQ(KeyFromSdlKeycode(SDLK_TAB), Key::Tab);
    EXPECT_EQ(KeyFromSdlKeycode(SDLK_LEFT), Key::Left);
    EXPECT_EQ(KeyFromSdlKeycode(SDLK_RIGHT), Key::Right);
    EXPECT_EQ(KeyFromSdlKeycode(SDLK_PAGEUP), Key::PageUp);
    EXPECT_EQ(KeyFromSdlKeycode(SDLK_PAGEDOWN), Key::PageDown);
    EXPECT_EQ(KeyFromSdlKeycode(SDLK_HOME), Key::Home);
    EXPECT_EQ(KeyFromSdlKeycode(SDLK_END), Key::End);
    EXPECT_EQ(KeyFromSdlKeycode(SDLK_F5), Key::F5);
    EXPECT_EQ(KeyFromSdlKeycode(SDLK_F12), Key::F12);
    EXPECT_EQ(KeyFromSdlKeycode(SDLK_l), Key::L);
    EXPECT_EQ(KeyFromSdlKeycode(SDLK_0), Key::Digit0);
    EXPECT_EQ(KeyFromSdlKeycode(SDLK_RSHIFT), Key::Shift);
    // Codes past ASCII are never read as letters.
    EXPECT_EQ(KeyFromSdlKeycode(SDLK_KP_1), Key::Unknown);
    EXPECT_EQ(KeyFromSdlKeycode(SDLK_CAPSLOCK), Key::Unknown);
}

TEST(SdlKeys, EitherSideOfAModifierCounts) {
    EXPECT_EQ(ModifiersFromSdl(KMOD_LSHIFT | KMOD_RCTRL), platform::kShiftModifier | platform::kControlModifier);
    EXPECT_EQ(ModifiersFromSdl(KMOD_RALT | KMOD_NUM), platform::kAltModifier);
    EXPECT_EQ(ModifiersFromSdl(KMOD_NONE), 0u);
}

#endif
