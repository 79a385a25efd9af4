#include "tools/live/LiveDemo.h"

#include "demo/show/EnvelopeTrack.h"
#include "demo/show/Tempo.h"
#include "engine/core/AppSettings.h"
#include "engine/platform/SystemServices.h"
#include "engine/render/Display.h"
#include "engine/sync/SyncRows.h"
#include "tools/live/TrackerKeys.h"
#include "tools/shared/FrameGrab.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>

namespace {

double NowSeconds() {
    return static_cast<double>(platform::PerformanceCounter()) / static_cast<double>(platform::PerformanceFrequency());
}

// "hh:mm:ss", local time.
std::string TimeOfDay() {
    const std::time_t now = std::time(nullptr);
    const std::tm* local = std::localtime(&now);
    char text[16] = "--:--:--";
    if (local)
        std::strftime(text, sizeof text, "%H:%M:%S", local);
    return text;
}

// The last step of the show a straight run draws.
double LastFrameTime(double showEnd) { return (std::ceil(showEnd / LiveDemo::kStep) - 1.0) * LiveDemo::kStep; }

}

LiveDemo::LiveDemo(const LiveOptions& options)
    : options(options),
      transport(Tempo(), ShowTimeLine(Tempo().patternLength)),
      plan(options.start, options.paused),
      tracker(*GetSyncTracks()) {
    tracker.SetLastRow(static_cast<int32_t>(SyncRow(LastFrameTime(transport.ShowEnd()))));
    // A file saved elsewhere does not overwrite a track edited here and not saved.
    SetUnsavedEditsHook([this](const std::string& track) {
        const int32_t index = GetSyncTracks()->IndexOf(track);
        return index >= 0 && tracker.ChangedTracks().count(static_cast<size_t>(index)) > 0;
    });
    // The editor's commands go through the tracker, so they are undone and saved as its own.
    if (!options.syncEditorHost.empty())
        syncLink = std::make_unique<SyncEditorLink>(options.syncEditorHost, options.syncEditorPort, *GetSyncTracks(),
                                                    tracker);
}

LiveDemo::~LiveDemo() { Close(); }

bool LiveDemo::OnInit() {
    if (!toolReady) {
        toolReady = true;
        if (Log* log = GetLog())
            log->AddSink(&errors);
        gpuTimer.Init();
        counter = std::make_unique<GLCallCounter>();
        if (!reloader.Start("data"))
            std::printf("data is not watched: saved files will not reload\n");
        reloader.SetSyncTracks(GetSyncTracks());
    }
    showBuilt = Demo::OnInit();
    // Whatever is broken now shows at its own line, whether or not it kept
    // the show from starting.
    for (const ReloadReport& report : reloader.CheckAllShaders()) {
        std::printf("%s\n", FormatReloadLine(report).c_str());
        Remember(report);
    }
    FollowLogErrors();
    std::fflush(stdout);
    return showBuilt;
}

void LiveDemo::Close() {
    if (!toolReady)
        return;
    reloader.Stop();
    heldFrame.Release();
    counter.reset();
    gpuTimer.Shutdown();
    if (Log* log = GetLog())
        log->RemoveSink(&errors);
    toolReady = false;
}

void LiveDemo::Update() {
    const double started = NowSeconds();
    // Smoothed over about half a second of frames.
    if (frameStarted > 0.0 && started > frameStarted)
        framesPerSecond += (1.0 / (started - frameStarted) - framesPerSecond) * 0.1;
    frameStarted = started;
    if (rebuildOwed)
        Rebuild();
    if (IsPlaying() && plan.Due())
        StartWhereAsked();
    FollowSyncEditor();
    ApplyActions();
    Demo::Update();
    if (IsPlaying())
        FollowLoopAndEnd();
}

// Once the show plays after a start or a rebuild: the moment and the pause
// asked for, which held while it did not build.
void LiveDemo::StartWhereAsked() {
    plan.Applied();
    SetPaused(plan.Paused());
    if (plan.Time() > 0.0 || plan.Paused())
        RewindTo(transport.Clamp(plan.Time()), kStep);
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
    FollowTracker();
}

void LiveDemo::Apply(LiveAction action) {
    const double t = Position();
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
    case LiveAction::Rebuild: AskForRebuild(); break;
    case LiveAction::SaveFrame: saveRequested = true; break;
    case LiveAction::ToggleTracker:
        tracker.SetOpen(!tracker.IsOpen());
        OnAction(action);
        break;
    default: OnAction(action); break;
    }
}

void LiveDemo::SeekTo(double time) {
    // The end itself has no frame: the last one stands for it.
    const double target = std::min(transport.Clamp(time), LastFrameTime(transport.ShowEnd()));
    if (!IsPlaying()) {
        plan.MoveTo(target);
        return;
    }
    // Going somewhere else ends the loop.
    if (looping && (target < loop.start || target >= loop.end))
        looping = false;
    RewindTo(target, kStep);
    ReportTransport();
}

void LiveDemo::TogglePause() {
    if (!IsPlaying()) {
        plan.TogglePause();
        return;
    }
    SetPaused(!IsPaused());
    ReportTransport();
}

void LiveDemo::ToggleLoop() {
    if (!IsPlaying())
        return;
    const TimeLineEntry* entry = transport.EntryAt(GetTime().time, 0);
    looping = !looping && entry != nullptr;
    if (looping)
        loop = *entry;
    ReportTransport();
}

// A playing show keeps its frame on screen through the rebuild: the frame is
// taken once drawn, and the rebuild follows at the next frame.
void LiveDemo::AskForRebuild() {
    if (IsPlaying())
        rebuildOwed = true;
    else
        Rebuild();
}

// Everything the scenes made from data no reload reaches: set up anew at the
// same moment, paused as it was.
void LiveDemo::Rebuild() {
    rebuildOwed = false;
    plan.Rebuild(IsPlaying(), GetTime().time, IsPaused());
    std::printf("rebuild at %.3f\n", plan.Time());
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
    const double t = GetTime().time;
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

// The editor's commands act before the keys' actions, as if typed first.
void LiveDemo::FollowSyncEditor() {
    if (!syncLink)
        return;
    const double t = Position();
    syncLink->Poll(NowSeconds(), SyncRow(t), !PausedOrToBe());
    for (const std::string& line : syncLink->TakeLines())
        std::printf("%s\n", line.c_str());
    std::fflush(stdout);
}

// Saved files reload; the log's errors show as reports. A show that could not
// be set up is tried again after any file reloads, and so is one that
// lacks a file only a rebuild loads.
void LiveDemo::FollowReloads() {
    reloader.SetShowBuilt(IsPlaying());
    bool anyReloaded = false;
    for (const ReloadReport& report : reloader.Update(NowSeconds())) {
        std::printf("%s\n", FormatReloadLine(report).c_str());
        Remember(report);
        anyReloaded = anyReloaded || (report.ok && report.fate == ReloadFate::Checked);
    }
    FollowLogErrors();
    std::fflush(stdout);
    // While a file is still broken, a rebuild would fail again on it; a
    // broken track file does not keep the show from starting.
    const auto& broken = board.Broken();
    const bool blocked = std::any_of(broken.begin(), broken.end(),
                                     [](const auto& file) { return !TrackFileReloader::IsTrackFile(file.first); });
    const bool wanted = reloader.TakeRebuildWanted();
    if (((!IsShowBuilt() && anyReloaded) || wanted) && !blocked)
        Rebuild();
}

// Standard output keeps every message as the log wrote it; the lists name
// the file each is about, and why it failed where the tool can tell.
void LiveDemo::FollowLogErrors() {
    const std::vector<std::string> messages = errors.Take();
    for (const std::string& message : messages)
        std::printf("error %s\n", message.c_str());
    for (const ReloadReport& logged : ReportsOfLogErrors(messages)) {
        const ReloadReport report = logged.path.empty() ? logged : reloader.Explain(logged);
        if (!report.path.empty())
            std::printf("%s\n", FormatReloadLine(report).c_str());
        Remember(report);
    }
}

void LiveDemo::Remember(const ReloadReport& report) { board.Note(report, TimeOfDay()); }

bool LiveDemo::OnSyncTrackFileRefused(const std::string& path, const std::string& reason) {
    const ReloadReport report{path, false, 0, reason, ReloadFate::Checked};
    reloader.NoteRefusedTrackFile(path);
    std::printf("%s\n", FormatReloadLine(report).c_str());
    std::fflush(stdout);
    Remember(report);
    return true;
}

bool LiveDemo::Frame() {
    FollowReloads();
    const bool playing = IsPlaying();
    if (counter)
        counter->Reset();
    if (playing)
        gpuTimer.BeginFrame("show");
    // The show's own end is followed above; a failed precalculation leaves
    // the window open for a rebuild.
    Demo::Frame();
    if (playing)
        gpuTimer.EndFrame();
    else if (ShowState() == OverlayShowState::Broken)
        ClearFrame();
    if (saveRequested && playing)
        SaveFrame();
    saveRequested = false;
    if (playing && rebuildOwed && GetDisplay())
        heldFrame.Grab(*GetDisplay(), GetSettings()->width, GetSettings()->height);
    else if (playing)
        heldFrame.Release();
    figures.glCalls = counter ? counter->GetCount() : 0;
    figures.drawCalls = counter ? counter->GetDrawCount() : 0;
    figures.gpuTimer = gpuTimer.IsAvailable();
    figures.gpuMilliseconds = gpuTimer.LastFrameMilliseconds();
    figures.cpuMilliseconds = (NowSeconds() - frameStarted) * 1000.0;
    DrawOverTheFrame();
    return true;
}

// A show that is not set up draws nothing, and the back buffer holds
// whatever an earlier frame left there.
void LiveDemo::ClearFrame() {
    Display* display = GetDisplay();
    if (!display)
        return;
    const float black[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    display->SetRenderTarget(nullptr);
    display->SetClearColor(black);
    display->Clear(CLEAR_COLOR);
}

void LiveDemo::SaveFrame() const {
    RgbPicture picture;
    GrabFrame(GetSettings()->width, GetSettings()->height, picture);
    const std::string name = FrameFileName(GetTime().time);
    const bool written = WritePngFile(name, picture);
    std::printf(written ? "saved %s\n" : "cannot save %s\n", name.c_str());
    std::fflush(stdout);
}

void LiveDemo::ReportTransport() const {
    const double t = GetTime().time;
    std::printf("time %.3f pattern %s %s%s\n", t, FormatMusicalPosition(transport.PositionAt(t)).c_str(),
                IsPaused() ? "paused" : "playing", looping ? " loop" : "");
    std::fflush(stdout);
}

OverlayShowState LiveDemo::ShowState() const {
    if (IsPlaying())
        return OverlayShowState::Playing;
    if (IsShowBuilt() && GetState() == DemoState::Precalculating)
        return OverlayShowState::Building;
    return OverlayShowState::Broken;
}

OverlayModel LiveDemo::MakeOverlayModel() const {
    OverlayModel model;
    const Tempo& tempo = transport.GetTempo();
    const double t = Position();
    model.time = t;
    model.showEnd = transport.ShowEnd();
    model.patternLength = tempo.patternLength;
    model.beatLength = tempo.beatLength;
    model.clock = FormatClockTime(t);
    model.musical = FormatMusicalPosition(transport.PositionAt(t));
    model.paused = PausedOrToBe();
    model.looping = looping;
    model.show = ShowState();
    model.heldFrame = heldFrame.TextureName();
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
    FillReloads(model);
    if (syncLink) {
        model.syncEditor = syncLink->Status();
        model.syncEditorConnected = syncLink->Connected();
    }
    for (const KeyBinding& binding : KeyBindings())
        model.keys.push_back({binding.keyName, binding.what});
    for (const TrackerKeyBinding& binding : TrackerKeyBindings())
        if (*binding.keyName)
            model.keys.push_back({binding.keyName, binding.what});
    FillTracker(model);
    return model;
}


void LiveDemo::FillReloads(OverlayModel& model) const {
    for (const auto& [path, report] : board.Broken())
        model.broken.push_back({path, false, ReloadText(report), "", ReloadTag(report)});
    for (const ReloadBoard::Line& line : board.History()) {
        const ReloadReport& report = line.report;
        model.reloads.push_back({report.path.empty() ? "log" : report.path, report.ok, ReloadText(report),
                                 line.timeOfDay, ReloadTag(report)});
    }
}
