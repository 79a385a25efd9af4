#pragma once

#include "demo/Demo.h"
#include "engine/render/GLCallCounter.h"
#include "engine/render/GpuFrameTimer.h"
#include "tools/live/ErrorLines.h"
#include "tools/live/LiveCommand.h"
#include "tools/live/LiveOptions.h"
#include "tools/live/LiveOverlay.h"
#include "tools/live/LiveReloader.h"
#include "tools/live/Transport.h"

#include <deque>

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

    // From the window's pump; acted on at the next frame.
    void OnWindowEvent(const platform::WindowEvent& event);
    // A seek from elsewhere than the keys (the scrub bar), at the next frame.
    void RequestSeek(double time) { requestedSeek = time; }
    // What the overlay shows of this frame.
    OverlayModel MakeOverlayModel() const;
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
    const Transport& GetTransport() const { return transport; }
    // The newest reloads and errors first, as the overlay lists them.
    const std::deque<ReloadReport>& RecentReports() const { return recent; }
    // The show is set up; false while a broken file keeps it from starting.
    bool IsShowBuilt() const { return showBuilt; }
    const TimeLineEntry* LoopedEntry() const { return looping ? &loop : nullptr; }

protected:
    // Called after the show's frame and before it is shown; the overlay's place.
    virtual void DrawOverTheFrame() {}
    virtual void OnAction(LiveAction) {}
    void ReportTransport() const;

private:
    void ApplyActions();
    void Apply(LiveAction action);
    void SeekTo(double time);
    void TogglePause();
    void ToggleLoop();
    void Rebuild();
    void SaveFrame() const;
    void StartWhereAsked();
    void FollowReloads();
    void Remember(const ReloadReport& report);
    void FollowLoopAndEnd();
    double ShowTime() const { return GetTime().time; }

    LiveOptions options;
    Transport transport;
    std::vector<LiveAction> pending;
    double requestedSeek = -1.0;
    double framesPerSecond = 0.0;
    bool startDone = false;
    double startTime = 0.0;
    bool startPaused = false;
    bool looping = false;
    TimeLineEntry loop{};
    bool saveRequested = false;
    std::unique_ptr<GLCallCounter> counter;
    GpuFrameTimer gpuTimer;
    bool toolReady = false;
    bool showBuilt = false;
    LiveReloader reloader;
    ErrorLines errors;
    std::deque<ReloadReport> recent;
    double frameStarted = 0.0;
    FrameFigures figures;
};
