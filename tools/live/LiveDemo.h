#pragma once

#include "demo/Demo.h"
#include "engine/render/GLCallCounter.h"
#include "engine/render/GpuFrameTimer.h"
#include "tools/live/ErrorLines.h"
#include "tools/live/HeldFrame.h"
#include "tools/live/LiveCommand.h"
#include "tools/live/LiveOptions.h"
#include "tools/live/LiveOverlay.h"
#include "tools/live/LiveReloader.h"
#include "tools/live/QuitGuard.h"
#include "tools/live/ReloadBoard.h"
#include "tools/live/StartPlan.h"
#include "tools/live/SyncEditorLink.h"
#include "tools/live/SyncTrackDocument.h"
#include "tools/live/TrackerPlayHead.h"
#include "tools/live/Transport.h"

#include <memory>
#include <string>
#include <vector>

// The production for someone working on it: the same Demo, driven by keys.
// It pauses, seeks exactly, loops an entry, rebuilds on request, pauses at
// the end instead of ending, and reports each change on standard output.
class LiveDemo : public Demo {
public:
    // A step of the show as a capture takes it, so a seek lands on its frame.
    static constexpr double kStep = 1.0 / 60.0;

    explicit LiveDemo(const LiveOptions& options);
    ~LiveDemo() override;

    bool OnInit() override;
    void Update() override;
    bool Frame() override;

    // From the window's pump. The tracker's keys act at once, the rest at
    // the next frame. True when the tool takes the event from the window:
    // the tracker's keys, and Escape or closing while tracks are not saved
    // and no second request came within 2 s.
    bool OnWindowEvent(const platform::WindowEvent& event);
    // The sync tracks' editing, which a connected sync editor drives too.
    SyncTrackDocument& Tracker() { return tracker; }
    // What the mouse did in the tracker panel.
    void ApplyTrackerInput(const TrackerInput& input);
    void SetTrackerRoom(TrackerRoom room) { trackerRoom = room; }
    // A seek from elsewhere than the keys (the scrub bar), at the next frame.
    void RequestSeek(double time) { requestedSeek = time; }
    // What the overlay shows of this frame.
    OverlayModel MakeOverlayModel() const;
    // Whether the tracker holds unsaved edits of a track: a file of that
    // track saved by another program then leaves the edits standing.
    void SetUnsavedEditsHook(TrackFileReloader::UnsavedEdits hook) { reloader.SetUnsavedEditsHook(std::move(hook)); }
    // Frees what the tool made on the display; before the application shuts down.
    void Close();

    // The last frame's figures, for the overlay.
    struct FrameFigures {
        double cpuMilliseconds = 0.0;
        double gpuMilliseconds = 0.0;
        bool gpuTimer = false;
        uint64_t glCalls = 0;
        uint64_t drawCalls = 0;
    };
    const FrameFigures& Figures() const { return figures; }

protected:
    // Called after the show's frame and before it is shown; the overlay's place.
    virtual void DrawOverTheFrame() {}
    virtual void OnAction(LiveAction) {}
    // The tool goes on without the file's keys; the file is listed broken.
    bool OnSyncTrackFileRefused(const std::string& path, const std::string& reason) override;

private:
    bool IsPlaying() const { return GetState() == DemoState::Playing; }
    // Set up, and its precalculation has not failed.
    bool IsShowBuilt() const { return showBuilt && !PrecalcFailed(); }
    // Where the play head is, or is to be once the show plays.
    double Position() const { return IsPlaying() ? GetTime().time : plan.Time(); }
    bool PausedOrToBe() const { return IsPlaying() ? IsPaused() : plan.Paused(); }
    OverlayShowState ShowState() const;

    void ApplyActions();
    void Apply(LiveAction action);
    void SeekTo(double time);
    void TogglePause();
    void ToggleLoop();
    void AskForRebuild();
    void Rebuild();
    void ClearFrame();
    void SaveFrame() const;
    void StartWhereAsked();
    void FollowReloads();
    void FollowLogErrors();
    void Remember(const ReloadReport& report);
    void FollowLoopAndEnd();
    void FollowSyncEditor();
    void ReportTransport() const;
    void FillReloads(OverlayModel& model) const;
    void FillTracker(OverlayModel& model) const;
    bool MayQuit();
    void FollowTracker();
    void SaveTracks();

    LiveOptions options;
    Transport transport;
    StartPlan plan;
    std::vector<LiveAction> pending;
    double requestedSeek = -1.0;
    double framesPerSecond = 0.0;
    bool looping = false;
    TimeLineEntry loop{};
    bool saveRequested = false;
    // F5 while playing: the frame is held at the end of this one, the show
    // rebuilt at the start of the next.
    bool rebuildOwed = false;
    HeldFrame heldFrame;
    std::unique_ptr<GLCallCounter> counter;
    GpuFrameTimer gpuTimer;
    bool toolReady = false;
    bool showBuilt = false;
    LiveReloader reloader;
    ErrorLines errors;
    ReloadBoard board;
    double frameStarted = 0.0;
    FrameFigures figures;
    SyncTrackDocument tracker;
    TrackerPlayHead trackerPlayHead;
    TrackerRoom trackerRoom;
    QuitGuard quitGuard;
    std::string trackerMessage;
    bool trackerMessageBad = false;
    // With --sync-editor: the connection, whose commands the tracker applies.
    std::unique_ptr<SyncEditorLink> syncLink;
};
