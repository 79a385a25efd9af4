#include "tools/live/LiveCommand.h"

#include <gtest/gtest.h>

namespace {

platform::WindowEvent Key(platform::Key key, uint32_t modifiers = 0,
                          platform::WindowEventType type = platform::WindowEventType::KeyDown) {
    platform::WindowEvent event;
    event.type = type;
    event.key = key;
    event.modifiers = modifiers;
    return event;
}

}

TEST(LiveCommand, KeysGoingDownAskForTheirActionsShiftMakingBeatsPatterns) {
    using platform::Key;
    EXPECT_EQ(ActionForEvent(Key(Key::Space)), LiveAction::TogglePause);
    EXPECT_EQ(ActionForEvent(Key(Key::Right)), LiveAction::BeatForward);
    EXPECT_EQ(ActionForEvent(Key(Key::Right, platform::kShiftModifier)), LiveAction::PatternForward);
    EXPECT_EQ(ActionForEvent(Key(Key::Left, platform::kShiftModifier | platform::kControlModifier)),
              LiveAction::PatternBack);
    EXPECT_EQ(ActionForEvent(Key(Key::PageUp)), LiveAction::PreviousEntry);
    EXPECT_EQ(ActionForEvent(Key(Key::End)), LiveAction::LastPattern);
    EXPECT_EQ(ActionForEvent(Key(Key::L)), LiveAction::ToggleLoop);
    EXPECT_EQ(ActionForEvent(Key(Key::F5)), LiveAction::Rebuild);
    EXPECT_EQ(ActionForEvent(Key(Key::F12)), LiveAction::SaveFrame);
    // Keys going up, other keys and Escape (the window's own) ask for nothing here.
    EXPECT_EQ(ActionForEvent(Key(Key::Space, 0, platform::WindowEventType::KeyUp)), LiveAction::None);
    EXPECT_EQ(ActionForEvent(Key(Key::Q)), LiveAction::None);
    EXPECT_EQ(ActionForEvent(Key(Key::Escape)), LiveAction::None);
}
