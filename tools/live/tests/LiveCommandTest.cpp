#include "tools/live/LiveCommand.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>

namespace {

platform::WindowEvent Press(platform::Key key, uint32_t modifiers = 0,
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
    EXPECT_EQ(ActionForEvent(Press(Key::Space)), LiveAction::TogglePause);
    EXPECT_EQ(ActionForEvent(Press(Key::Right)), LiveAction::BeatForward);
    EXPECT_EQ(ActionForEvent(Press(Key::Right, platform::kShiftModifier)), LiveAction::PatternForward);
    EXPECT_EQ(ActionForEvent(Press(Key::Left, platform::kShiftModifier | platform::kControlModifier)),
              LiveAction::PatternBack);
    EXPECT_EQ(ActionForEvent(Press(Key::PageUp)), LiveAction::PreviousEntry);
    EXPECT_EQ(ActionForEvent(Press(Key::End)), LiveAction::LastPattern);
    EXPECT_EQ(ActionForEvent(Press(Key::L)), LiveAction::ToggleLoop);
    EXPECT_EQ(ActionForEvent(Press(Key::F5)), LiveAction::Rebuild);
    EXPECT_EQ(ActionForEvent(Press(Key::F12)), LiveAction::SaveFrame);
    // Keys going up, other keys and Escape (the window's own) ask for nothing here.
    EXPECT_EQ(ActionForEvent(Press(Key::Space, 0, platform::WindowEventType::KeyUp)), LiveAction::None);
    EXPECT_EQ(ActionForEvent(Press(Key::Q)), LiveAction::None);
    EXPECT_EQ(ActionForEvent(Press(Key::Escape)), LiveAction::None);
}

TEST(LiveCommand, TheKeyTableIsTheMapItselfWithOneBindingAKey) {
    std::set<std::pair<platform::Key, bool>> keys;
    for (const KeyBinding& binding : KeyBindings()) {
        EXPECT_TRUE(keys.insert({binding.key, binding.shift}).second) << binding.keyName << " bound twice";
        EXPECT_EQ(ActionForEvent(Press(binding.key, binding.shift ? platform::kShiftModifier : 0)), binding.action)
            << binding.keyName;
        EXPECT_NE(std::string(binding.what), "") << binding.keyName;
    }
    EXPECT_EQ(ActionForEvent(Press(platform::Key::F1)), LiveAction::ToggleKeyTable);
    // A key bound without Shift answers with it too.
    EXPECT_EQ(ActionForEvent(Press(platform::Key::Space, platform::kShiftModifier)), LiveAction::TogglePause);
}
