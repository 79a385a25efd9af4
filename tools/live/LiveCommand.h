#pragma once

#include "engine/platform/WindowEvents.h"

#include <vector>

// What a key asks of the live tool.
enum class LiveAction {
    None,
    TogglePause,
    BeatBack,
    BeatForward,
    PatternBack,
    PatternForward,
    PreviousEntry,
    NextEntry,
    ShowStart,
    LastPattern,
    ToggleLoop,
    ToggleOverlay,
    ToggleKeyTable,
    Rebuild,
    SaveFrame,
    ToggleTracker,
};

// One key of the tool: the key, whether Shift is part of it, what it does,
// and how the key table in the overlay names both.
struct KeyBinding {
    platform::Key key = platform::Key::Unknown;
    bool shift = false;
    LiveAction action = LiveAction::None;
    const char* keyName = "";
    const char* what = "";
};

// Every key of the tool, in the order the key table lists them. A binding
// without Shift also answers its key pressed with Shift, unless another
// binding takes that.
const std::vector<KeyBinding>& KeyBindings();

// The action of a key going down; None for every other event and key.
LiveAction ActionForEvent(const platform::WindowEvent& event);
