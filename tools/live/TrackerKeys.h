#pragma once

#include "engine/platform/WindowEvents.h"

#include <string>
#include <vector>

class SyncTrackDocument;

// What a key asks of the tracker panel.
enum class TrackerCommand {
    None,
    RowUp, RowDown, BeatUp, BeatDown, FirstKey, LastKey, TrackLeft, TrackRight,
    SelectUp, SelectDown, SelectBeatUp, SelectBeatDown, SelectLeft, SelectRight,
    TypeValue, DeleteKeys, CycleInterpolation,
    NudgeUp, NudgeDown, NudgeUpFine, NudgeDownFine,
    Copy, Paste, Undo, Redo,
    Save,
};

// One key of the tracker: the key with exactly these modifiers held. Most
// act only while the panel shows; there they take the key from the
// transport.
struct TrackerKeyBinding {
    platform::Key key = platform::Key::Unknown;
    uint32_t modifiers = 0;
    TrackerCommand command = TrackerCommand::None;
    bool panelOnly = true;
    const char* keyName = "";
    const char* what = "";
};

// In the order the key table lists them.
const std::vector<TrackerKeyBinding>& TrackerKeyBindings();

// The command of a key going down; None for every other event, and for the
// panel's keys while the panel is closed.
TrackerCommand TrackerCommandForEvent(const platform::WindowEvent& event, bool panelOpen);

// Applies a command to the document; Save is the tool's.
void ApplyTrackerCommand(SyncTrackDocument& document, TrackerCommand command);

// While a value is typed, every key and character is the typing's: digits
// and the signs of a number, Backspace, Enter to set the key (a refusal in
// `error`), Escape to cancel. True when the event was taken.
bool HandleTypingEvent(SyncTrackDocument& document, const platform::WindowEvent& event, std::string& error);
