#include "tools/live/LiveDemo.h"

#include "demo/show/EnvelopeTrack.h"
#include "demo/show/Tempo.h"
#include "engine/core/AppSettings.h"
#include "engine/platform/SystemServices.h"
#include "engine/render/Display.h"
#include "tools/shared/FrameGrab.h"

#include <cmath>
#include <cstdio>

namespace {

double NowSeconds() {
    return static_cast<double>(platform::PerformanceCounter()) / static_cast<double>(platform::PerformanceFrequency());
}

std::string ErrorText(const ReloadReport& report) {
    return report.line > 0 ? std::to_string(report.line) + ": " + report.message : report.message;
}

// The last step of the show a straight run draws.
double LastFrameTime(double showEnd) { return (std::ceil(showEnd / LiveDemo::kStep) - 1.0) * LiveDemo::kStep; }

}

LiveDemo::LiveDemo(const LiveOptions& options)
    : options(options), transport(Tempo(), ShowTimeLine(Tempo().patternLength)), startTime(options.start),
      startPaused(options.paused) {}

LiveDemo::~LiveDemo() { Close(); }

namespace {
// Reports the overlay keeps.
constexpr size_t kRecentReports = 8;
}

bool LiveDemo::OnInit() {
    if (!toolReady) {
        toolReady = true;
        if (Log* log = GetLog())
            log->AddSink(&errors);
        gpuTimer.Init();
        counter = std::make_unique<GLCallCounter>();
        if (!reloader.Start("data"))
            std::printf("data is not watched: saved files will not reload\n");
    }
    showBuilt = Demo::OnInit();
    // Whatever is broken now shows at its own line, whether or not it kept
    // the show from starting.
    for (const ReloadReport& report : reloader.CheckAllShaders()) {
        std::printf("%s\n", FormatReloadLine(report).c_str());
        Remember(report);
    }
    std::fflush(stdout);
    return showBuilt;
}

void LiveDemo::Close() {
    if (!toolReady)
        return;
    reloader.Stop();
    counter.reset();
    gpuTimer.Shutdown();
    if (Log* log = GetLog())
        log->RemoveSink(&errors);
    toolReady = false;
}

void LiveDemo::OnWindowEvent(const platform::WindowEvent& event) {
    const LiveAction action = ActionForEvent(event);
    if (action != LiveAction::None)
        pending.push_back(action);
}

void LiveDemo::Update() {
    const double started = NowSeconds();
    // Smoothed over about half a second of frames.
    if (frameStarted > 0.0 && started > frameStarted)
        framesPerSecond += (1.0 / (started - frameStarted) - framesPerSecond) * 0.1;
    frameStarted = started;
    if (GetState() == DemoState::Playing) {
        if (!startDone)
            StartWhereAsked();
        ApplyActions();
    }
    Demo::Update();
    if (GetState() == DemoState::Playing)
        FollowLoopAndEnd();
}

// Once the show first plays: the seek and pause the command line asked for.
void LiveDemo::StartWhereAsked() {
    startDone = true;
    SetPaused(startPaused);
    if (startTime > 0.0 || startPaused)
        RewindTo(transport.Clamp(startTime), kStep);
    Demo::Update();
    ReportTransport();
}

void LiveDemo::ApplyActions() {
    std::vector<LiveAction> actions;
    actions.swap(pending);
    for (LiveAction action : actions)
        Apply(action);
    if (requestedSeek >= 0.0)
        SeekTo(requestedSeek);
    requestedSeek = -1.0;
}

void LiveDemo::Apply(LiveAction action) {
    const double t = ShowTime();
    switch (action) {
    case LiveAction::TogglePause: TogglePause(); break;
    case LiveAction::BeatBack: SeekTo(transport.StepBeats(t, -1)); break;
    case LiveAction::BeatForward: SeekTo(transport.StepBeats(t, 1)); break;
    case LiveAction::PatternBack: SeekTo(transport.StepPatterns(t, -1)); break;
    case LiveAction::PatternForward: SeekTo(transport.StepPatterns(t, 1)); break;
    case LiveAction::PreviousEntry: SeekTo(transport.PreviousEntryStart(t)); break;
    case LiveAction::NextEntry: SeekTo(transport.NextEntryStart(t)); break;
    case LiveAction::ShowStart: SeekTo(0.0); break;
    case LiveAction::LastPattern: SeekTo(transport.LastPatternStart()); break;
    case LiveAction::ToggleLoop: ToggleLoop(); break;
    case LiveAction::Rebuild: Rebuild(); break;
    case LiveAction::SaveFrame: saveRequested = true; break;
    default: OnAction(action); break;
    }
}

void LiveDemo::SeekTo(double time) {
    // The end itself has no frame: the last one stands for it.
    const double target = std::min(transport.Clamp(time), LastFrameTime(transport.ShowEnd()));
    // Going somewhere else ends the loop.
    if (looping && (target < loop.start || target >= loop.end))
        looping = false;
    RewindTo(target, kStep);
    ReportTransport();
}

void LiveDemo::TogglePause() {
    SetPaused(!IsPaused());
    ReportTransport();
}

void LiveDemo::ToggleLoop() {
    const TimeLineEntry* entry = transport.EntryAt(ShowTime(), 0);
    looping = !looping && entry != nullptr;
    if (looping)
        loop = *entry;
    ReportTransport();
}

// Everything the scenes made from data no reload reaches: set up anew at the
// same moment, paused as it was.
void LiveDemo::Rebuild() {
    startTime = ShowTime();
    startPaused = IsPaused();
    startDone = false;
    std::printf("rebuild at %.3f\n", startTime);
    std::fflush(stdout);
    showBuilt = Restart();
    if (!showBuilt) {
        std::printf("rebuild failed\n");
        std::fflush(stdout);
    }
}

void LiveDemo::FollowLoopAndEnd() {
    if (IsPaused())
        return;
    const double t = ShowTime();
    if (looping && (t >= loop.end || t < loop.start)) {
        RewindTo(loop.start, kStep);
        Demo::Update();
        ReportTransport();
    } else if (t >= transport.ShowEnd()) {
        SetPaused(true);
        RewindTo(LastFrameTime(transport.ShowEnd()), kStep);
        Demo::Update();
        ReportTransport();
    }
}

// Saved files reload; the log's errors show as reports. A show that could not
// be set up is tried again after any file reloads.
void LiveDemo::FollowReloads() {
    bool anyReloaded = false;
    for (const ReloadReport& report : reloader.Update(NowSeconds())) {
        std::printf("%s\n", FormatReloadLine(report).c_str());
        Remember(report);
        anyReloaded = anyReloaded || report.ok;
    }
    for (const std::string& message : errors.Take()) {
        std::printf("error %s\n", message.c_str());
        Remember({"log", false, 0, message});
    }
    std::fflush(stdout);
    if (!showBuilt && anyReloaded)
        Rebuild();
}

void LiveDemo::Remember(const ReloadReport& report) {
    // A file that reloads clears its earlier error.
    if (report.ok)
        for (auto it = recent.begin(); it != recent.end();)
            it = it->path == report.path && !it->ok ? recent.erase(it) : it + 1;
    recent.push_front(report);
    if (recent.size() > kRecentReports)
        recent.pop_back();
}

bool LiveDemo::Frame() {
    FollowReloads();
    const bool playing = GetState() == DemoState::Playing;
    if (counter)
        counter->Reset();
    if (playing)
        gpuTimer.BeginFrame("show");
    // The show's own end is followed above; a failed precalculation leaves
    // the window open for a rebuild.
    Demo::Frame();
    if (playing)
        gpuTimer.EndFrame();
    if (saveRequested && playing)
        SaveFrame();
    saveRequested = false;
    figures.glCalls = counter ? counter->GetCount() : 0;
    figures.drawCalls = counter ? counter->GetDrawCount() : 0;
    figures.gpuTimer = gpuTimer.IsAvailable();
    figures.gpuMilliseconds = gpuTimer.LastFrameMilliseconds();
    figures.cpuMilliseconds = (NowSeconds() - frameStarted) * 1000.0;
    DrawOverTheFrame();
    return true;
}

void LiveDemo::SaveFrame() const {
    RgbPicture picture;
    GrabFrame(GetSettings()->width, GetSettings()->height, picture);
    const std::string name = FrameFileName(ShowTime());
    const bool written = WritePngFile(name, picture);
    std::printf(written ? "saved %s\n" : "cannot save %s\n", name.c_str());
    std::fflush(stdout);
}

void LiveDemo::ReportTransport() const {
    const double t = ShowTime();
    std::printf("time %.3f pattern %s %s%s\n", t, FormatMusicalPosition(transport.PositionAt(t)).c_str(),
                IsPaused() ? "paused" : "playing", looping ? " loop" : "");
    std::fflush(stdout);
}

OverlayModel LiveDemo::MakeOverlayModel() const {
    OverlayModel model;
    const Tempo& tempo = transport.GetTempo();
    const double t = GetState() == DemoState::Playing ? ShowTime() : 0.0;
    model.time = t;
    model.showEnd = transport.ShowEnd();
    model.patternLength = tempo.patternLength;
    model.beatLength = tempo.beatLength;
    model.clock = FormatClockTime(t);
    model.musical = FormatMusicalPosition(transport.PositionAt(t));
    model.paused = IsPaused();
    model.looping = looping;
    for (const TimeLineEntry& entry : transport.Entries())
        model.entries.push_back({SceneIdName(entry.scene), entry.variant, entry.layer, entry.start, entry.end,
                                 entry.start <= t && t < entry.end});
    if (const EnvelopeTrack* envelope = const_cast<LiveDemo*>(this)->GetEnvelopeTrack()) {
        model.fade = envelope->Fade(t);
        model.flash = envelope->Flash(t);
    }
    model.fps = framesPerSecond;
    model.cpuMs = figures.cpuMilliseconds;
    model.gpuMs = figures.gpuMilliseconds;
    model.gpuTimer = figures.gpuTimer;
    model.glCalls = figures.glCalls;
    model.drawCalls = figures.drawCalls;
    for (const ReloadReport& report : recent)
        model.reloads.push_back({report.path, report.ok, report.ok ? "ok" : ErrorText(report)});
    return model;
}
