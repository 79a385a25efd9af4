#include "tools/live/LiveCommand.h"

using platform::Key;

const std::vector<KeyBinding>& KeyBindings() {
    static const std::vector<KeyBinding> bindings = {
        {Key::Space, false, LiveAction::TogglePause, "Space", "pause or go on"},
        {Key::Left, false, LiveAction::BeatBack, "Left", "back one beat"},
        {Key::Right, false, LiveAction::BeatForward, "Right", "on one beat"},
        {Key::Left, true, LiveAction::PatternBack, "Shift+Left", "back one pattern"},
        {Key::Right, true, LiveAction::PatternForward, "Shift+Right", "on one pattern"},
        {Key::PageUp, false, LiveAction::PreviousEntry, "PageUp", "start of this entry, or the one before"},
        {Key::PageDown, false, LiveAction::NextEntry, "PageDown", "start of the next entry"},
        {Key::Home, false, LiveAction::ShowStart, "Home", "start of the show"},
        {Key::End, false, LiveAction::LastPattern, "End", "last pattern"},
        {Key::L, false, LiveAction::ToggleLoop, "L", "loop this entry, or stop looping"},
        {Key::Tab, false, LiveAction::ToggleOverlay, "Tab", "hide or show the overlay"},
        {Key::F1, false, LiveAction::ToggleKeyTable, "F1", "hide or show this table"},
        {Key::F5, false, LiveAction::Rebuild, "F5", "build the show anew at this moment"},
        {Key::F12, false, LiveAction::SaveFrame, "F12", "save the frame as tNNNNNNN.png"},
        {Key::F2, false, LiveAction::ToggleTracker, "F2", "show or hide the tracker panel of the sync tracks"},
    };
    return bindings;
}

LiveAction ActionForEvent(const platform::WindowEvent& event) {
    if (event.type != platform::WindowEventType::KeyDown)
        return LiveAction::None;
    const bool shift = (event.modifiers & platform::kShiftModifier) != 0;
    LiveAction unshifted = LiveAction::None;
    for (const KeyBinding& binding : KeyBindings()) {
        if (binding.key != event.key)
            continue;
        if (binding.shift == shift)
            return binding.action;
        if (!binding.shift)
            unshifted = binding.action;
    }
    return unshifted;
}
