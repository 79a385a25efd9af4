// The tracker's side of LiveDemo: its keys, Escape and close while tracks
// are not saved, saving, and the cursor against the play head.
#include "tools/live/LiveDemo.h"

#include "engine/platform/SystemServices.h"
#include "engine/sync/SyncRows.h"
#include "engine/sync/SyncTrackFile.h"
#include "tools/live/TrackerKeys.h"

#include <cstdio>

namespace {

double NowSeconds() {
    return static_cast<double>(platform::PerformanceCounter()) / static_cast<double>(platform::PerformanceFrequency());
}

}

bool LiveDemo::OnWindowEvent(const platform::WindowEvent& event) {
    using platform::WindowEventType;
    std::string refusal;
    if (HandleTypingEvent(tracker, event, refusal)) {
        trackerMessage = refusal;
        trackerMessageBad = !refusal.empty();
        if (!refusal.empty())
            std::printf("tracker: %s\n", refusal.c_str());
        std::fflush(stdout);
        return true;
    }
    const bool escape = event.type == WindowEventType::KeyDown && event.key == platform::Key::Escape && !event.systemKey;
    if (escape || event.type == WindowEventType::Close)
        return !MayQuit();
    // The key's event decides; on Windows its character follows.
    if (event.type == WindowEventType::Character && event.code == platform::kEscapeKey)
        return true;
    const TrackerCommand command = TrackerCommandForEvent(event, tracker.IsOpen());
    if (command == TrackerCommand::Save)
        SaveTracks();
    else if (command != TrackerCommand::None)
        ApplyTrackerCommand(tracker, command);
    if (command != TrackerCommand::None)
        return true;
    const LiveAction action = ActionForEvent(event);
    if (action != LiveAction::None)
        pending.push_back(action);
    return false;
}

bool LiveDemo::MayQuit() {
    if (quitGuard.MayQuit(NowSeconds(), tracker.HasUnsavedChanges()))
        return true;
    const size_t count = tracker.ChangedTracks().size();
    std::printf("%zu sync track%s not saved: Escape or close again within 2 s quits, Ctrl+S saves\n", count,
                count == 1 ? "" : "s");
    std::fflush(stdout);
    return false;
}

void LiveDemo::SaveTracks() {
    if (!tracker.HasUnsavedChanges()) {
        trackerMessage = "no sync track to save";
        trackerMessageBad = false;
        return;
    }
    bool allSaved = true;
    const std::vector<std::string> lines = tracker.SaveChanged(kSyncTrackFolder, allSaved);
    for (const std::string& line : lines)
        std::printf("%s\n", line.c_str());
    std::fflush(stdout);
    trackerMessageBad = !allSaved;
    trackerMessage = "saved " + std::to_string(lines.size()) + " sync track" + (lines.size() == 1 ? "" : "s");
    for (const std::string& line : lines)
        if (!allSaved && line.compare(0, 6, "cannot") == 0)
            trackerMessage = line;
}

// What a sync editor asked of the transport, then the cursor and the play
// head.
void LiveDemo::FollowTracker() {
    const double bpm = transport.GetTempo().bpm;
    int32_t row = 0;
    if (tracker.TakeSeekRequest(row))
        SeekTo(SyncSecondsAt(row, bpm));
    bool paused = false;
    if (tracker.TakePauseRequest(paused) && paused != PausedOrToBe())
        TogglePause();
    if (tracker.TakeSaveRequest())
        SaveTracks();
    const int32_t seek = trackerPlayHead.Update(tracker, SyncRow(Position()), PausedOrToBe());
    if (seek >= 0)
        SeekTo(SyncSecondsAt(seek, bpm));
}

void LiveDemo::ApplyTrackerInput(const TrackerInput& input) {
    if (!input.toggleGroup.empty())
        tracker.ToggleGroup(input.toggleGroup);
    if (input.clicked)
        tracker.PlaceCursor(input.column, input.row);
    if (input.dragging)
        tracker.DragKey(input.track, input.dragRow, input.dragValue, input.dragStarted);
}

void LiveDemo::FillTracker(OverlayModel& model) const {
    model.tracker = MakeTrackerModel(tracker, SyncRow(Position()), trackerRoom);
    model.unsavedTracks = tracker.ChangedTracks().size();
    model.quitWarning = quitGuard.Warning(NowSeconds());
    model.trackerMessage = trackerMessage;
    model.trackerMessageBad = trackerMessageBad;
}
