#include "tools/live/TrackerKeys.h"

#include "engine/sync/SyncRows.h"
#include "tools/live/SyncTrackDocument.h"

using platform::Key;

namespace {

constexpr uint32_t kShift = platform::kShiftModifier;
constexpr uint32_t kControl = platform::kControlModifier;
constexpr uint32_t kAlt = platform::kAltModifier;
constexpr uint32_t kModifiers = kShift | kControl | kAlt;

}

const std::vector<TrackerKeyBinding>& TrackerKeyBindings() {
    static const std::vector<TrackerKeyBinding> bindings = {
        {Key::Up, 0, TrackerCommand::RowUp, true, "Up / Down", "tracker: a row up or down"},
        {Key::Down, 0, TrackerCommand::RowDown, true, "", ""},
        {Key::PageUp, 0, TrackerCommand::BeatUp, true, "PageUp / PageDown", "tracker: a beat (8 rows) up or down"},
        {Key::PageDown, 0, TrackerCommand::BeatDown, true, "", ""},
        {Key::Home, 0, TrackerCommand::FirstKey, true, "Home / End", "tracker: the track's first or last key"},
        {Key::End, 0, TrackerCommand::LastKey, true, "", ""},
        {Key::Left, 0, TrackerCommand::TrackLeft, true, "Left / Right", "tracker: the track before or after"},
        {Key::Right, 0, TrackerCommand::TrackRight, true, "", ""},
        {Key::Up, kShift, TrackerCommand::SelectUp, true, "Shift+arrows", "tracker: select a block"},
        {Key::Down, kShift, TrackerCommand::SelectDown, true, "", ""},
        {Key::PageUp, kShift, TrackerCommand::SelectBeatUp, true, "", ""},
        {Key::PageDown, kShift, TrackerCommand::SelectBeatDown, true, "", ""},
        {Key::Left, kShift, TrackerCommand::SelectLeft, true, "", ""},
        {Key::Right, kShift, TrackerCommand::SelectRight, true, "", ""},
        {Key::Enter, 0, TrackerCommand::TypeValue, true, "Enter", "tracker: type a value, Enter sets it, Escape cancels"},
        {Key::Delete, 0, TrackerCommand::DeleteKeys, true, "Delete", "tracker: delete the key or the block's keys"},
        {Key::I, 0, TrackerCommand::CycleInterpolation, true, "I", "tracker: next interpolation (step, linear, smooth, ramp)"},
        {Key::Up, kAlt, TrackerCommand::NudgeUp, true, "Alt+Up / Alt+Down", "tracker: value up or down by 1"},
        {Key::Down, kAlt, TrackerCommand::NudgeDown, true, "", ""},
        {Key::Up, kAlt | kShift, TrackerCommand::NudgeUpFine, true, "Alt+Shift+Up / Down", "tracker: value up or down by 0.1"},
        {Key::Down, kAlt | kShift, TrackerCommand::NudgeDownFine, true, "", ""},
        {Key::C, kControl, TrackerCommand::Copy, true, "Ctrl+C / Ctrl+V", "tracker: copy the block, paste it at the cursor"},
        {Key::V, kControl, TrackerCommand::Paste, true, "", ""},
        {Key::Z, kControl, TrackerCommand::Undo, true, "Ctrl+Z / Ctrl+Y", "tracker: undo, redo"},
        {Key::Y, kControl, TrackerCommand::Redo, true, "", ""},
        {Key::S, kControl, TrackerCommand::Save, false, "Ctrl+S", "save every changed track to data/sync"},
    };
    return bindings;
}

TrackerCommand TrackerCommandForEvent(const platform::WindowEvent& event, bool panelOpen) {
    if (event.type != platform::WindowEventType::KeyDown)
        return TrackerCommand::None;
    for (const TrackerKeyBinding& binding : TrackerKeyBindings())
        if (binding.key == event.key && binding.modifiers == (event.modifiers & kModifiers) &&
            (panelOpen || !binding.panelOnly))
            return binding.command;
    return TrackerCommand::None;
}

void ApplyTrackerCommand(SyncTrackDocument& document, TrackerCommand command) {
    const float step = SyncTrackDocument::kNudgeStep;
    switch (command) {
    case TrackerCommand::RowUp: document.MoveRows(-1, false); break;
    case TrackerCommand::RowDown: document.MoveRows(1, false); break;
    case TrackerCommand::BeatUp: document.MoveRows(-kSyncRowsPerBeat, false); break;
    case TrackerCommand::BeatDown: document.MoveRows(kSyncRowsPerBeat, false); break;
    case TrackerCommand::FirstKey: document.ToFirstKey(false); break;
    case TrackerCommand::LastKey: document.ToLastKey(false); break;
    case TrackerCommand::TrackLeft: document.MoveColumns(-1, false); break;
    case TrackerCommand::TrackRight: document.MoveColumns(1, false); break;
    case TrackerCommand::SelectUp: document.MoveRows(-1, true); break;
    case TrackerCommand::SelectDown: document.MoveRows(1, true); break;
    case TrackerCommand::SelectBeatUp: document.MoveRows(-kSyncRowsPerBeat, true); break;
    case TrackerCommand::SelectBeatDown: document.MoveRows(kSyncRowsPerBeat, true); break;
    case TrackerCommand::SelectLeft: document.MoveColumns(-1, true); break;
    case TrackerCommand::SelectRight: document.MoveColumns(1, true); break;
    case TrackerCommand::TypeValue: document.StartTyping(); break;
    case TrackerCommand::DeleteKeys: document.DeleteKeys(); break;
    case TrackerCommand::CycleInterpolation: document.CycleInterpolation(); break;
    case TrackerCommand::NudgeUp: document.Nudge(step); break;
    case TrackerCommand::NudgeDown: document.Nudge(-step); break;
    case TrackerCommand::NudgeUpFine: document.Nudge(step / 10); break;
    case TrackerCommand::NudgeDownFine: document.Nudge(-step / 10); break;
    case TrackerCommand::Copy: document.Copy(); break;
    case TrackerCommand::Paste: document.Paste(); break;
    case TrackerCommand::Undo: document.Undo(); break;
    case TrackerCommand::Redo: document.Redo(); break;
    default: break;
    }
}

bool HandleTypingEvent(SyncTrackDocument& document, const platform::WindowEvent& event, std::string& error) {
    using platform::WindowEventType;
    if (!document.IsTyping())
        return false;
    if (event.type == WindowEventType::Character) {
        document.Type(event.code);
        return true;
    }
    if (event.type != WindowEventType::KeyDown)
        return event.type == WindowEventType::KeyUp;
    if (event.key == Key::Escape)
        document.CancelTyping();
    else if (event.key == Key::Backspace)
        document.EraseTyped();
    else if (event.key == Key::Enter)
        document.CommitTyping(error);
    return true;
}
