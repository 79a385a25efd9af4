#pragma once

#include "engine/platform/WindowEvents.h"

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
    Rebuild,
    SaveFrame,
};

// The action of a key going down; None for every other event and key.
LiveAction ActionForEvent(const platform::WindowEvent& event);
