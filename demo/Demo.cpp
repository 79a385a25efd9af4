#include "demo/Demo.h"

#include "demo/QueueStatus.h"
#include "demo/SceneFactory.h"
#include "demo/draw/ProgressBar.h"
#include "demo/post/PostProcessor.h"
#include "demo/post/PostSetup.h"
#include "demo/show/EnvelopeTrack.h"
#include "demo/show/Scene.h"
#include "demo/show/Sequence.h"
#include "demo/show/Tempo.h"
#include "engine/audio/MusicFailover.h"
#include "engine/audio/MusicPlayer.h"
#include "engine/core/AppSettings.h"
#include "engine/core/Clock.h"
#include "engine/core/CrtRandom.h"
#include "engine/core/Message.h"
#include "engine/core/PrecalcQueue.h"
#include "engine/core/TimeSource.h"
#include "engine/files/FileSystem.h"
#include "engine/files/MemoryStream.h"
#include "engine/platform/ErrorDialog.h"
#include "engine/render/Display.h"
#include "engine/render/FrameMarks.h"
#include "engine/render/RenderTarget.h"
#include "engine/render/ShaderProgramManager.h"
#include "engine/sync/SyncRows.h"
#include "engine/sync/SyncTrackFile.h"

#include <utility>

const char* const Demo::kMusicFile = "data/music/zephal_ethereal.ogg";

namespace {
const char* const kFrameTarget = "main_post_fx";
// Times closer than this are the same frame.
constexpr double kSameFrame = 1e-9;
}

Demo::Demo(SceneFactory createScene) : createScene(std::move(createScene)) {}

Demo::Demo() : Demo(CreateShowScene) {}

Demo::~Demo() { mainPassUniforms.Clear(); }

void Demo::GetTitle(std::string& title) { title = "Zephal - Lumenweaver"; }

bool Demo::OnInit() {
    SetDemoContext(this);
    if (!SetUpPostProcessing())
        return false;
    SetUpMusic();
    if (!SetUpSequence())
        return false;
    ApplySyncTracks();
    if (!LoadNewSyncTrackFiles())
        return false;
    if (!StartPrecalc())
        return false;
    state = DemoState::Precalculating;
    return true;
}

bool Demo::SetUpPostProcessing() {
    postProcessor = ::SetUpPostProcessing();
    if (!postProcessor)
        return false;
    envelopeTrack = std::make_unique<EnvelopeTrack>();
    envelopeTrack->SetFadeEnabled(true);
    envelopeTrack->SetFlashEnabled(true);
    postFade = SyncValue(syncTracks, "post.uFade", "the envelope's fade");
    postFlash = SyncValue(syncTracks, "post.uFlash", "the envelope's flash");
    return true;
}

void Demo::SetUpMusic() {
    AppSettings* settings = GetSettings();
    if (settings->music) {
        Message(LOG_SYSTEM, "Initializing OGG player...");
        musicPlayer = std::make_unique<MusicPlayer>();
        Message(LOG_SYSTEM, "Initializing DirectSound...");
        if (!musicPlayer->CreateDevice(GetDisplay()->GetWindowHandle())) {
            Message(LOG_ERROR, "Could not initialize DirectSound.");
            settings->music = false;
        } else if (!OpenMusic()) {
            Message(LOG_ERROR, "Could not open music file.");
            settings->music = false;
        }
    }
    tempo = std::make_unique<Tempo>();
}

bool Demo::OpenMusic() {
    Message(LOG_SYSTEM, "Loading music...");
    MemoryStream encoded;
    return GetFileSystem()->ReadFile(kMusicFile, encoded) && musicPlayer->Open(std::move(encoded));
}

bool Demo::SetUpSequence() {
    Message(LOG_SYSTEM, "Initializing demo sequence...");
    sequence = std::make_unique<Sequence>();
    if (!BuildTimeLine(*tempo, createScene, *sequence, *envelopeTrack))
        return false;
    initialEnvelope = std::make_unique<EnvelopeTrack>(*envelopeTrack);
    GetSettings()->startTime = 0.0;
    return sequence->InitScenes();
}

bool Demo::StartPrecalc() {
    precalcQueue = std::make_unique<PrecalcQueue>();
    Message(LOG_SYSTEM, "Adding tasks to precalc thread...");
    sequence->AddPrecalcTasks(*precalcQueue);
    precalcQueue->ComputeTotal();
    totalWorkUnits = precalcQueue->GetTotalUnits();
    Message(LOG_SYSTEM, "Starting precalc thread...");
    if (!precalcQueue->Start()) {
        Message(LOG_ERROR, "Could not start the precalc thread.");
        return false;
    }
    progressBar = std::make_unique<ProgressBar>();
    return progressBar->Init();
}

double Demo::ClockTime() const { return GetClock() ? GetClock()->GetTime() : 0.0; }

// Real seconds, for the music's stand-in: the engine clock's steps are
// clamped and would fall behind after a long frame.
double Demo::WallTime() { return GetTimeSource()->Now(); }

double Demo::MusicTime() {
    MusicFailoverEvent event;
    const double t = musicFailover->Update(WallTime(), event);
    if (event.lost)
        Message(LOG_WARNING, "Sound device lost; the show goes on on the clock.");
    if (event.back)
        Message(LOG_WARNING, "Sound device back; the music resumes at %.3f s.", event.backAt);
    return t;
}

void Demo::Update() {
    if (state != DemoState::Playing) {
        now = DemoTime();
        return;
    }
    if (paused) {
        if (!pausedStepOwed)
            now.delta = 0.0;
        return;
    }
    double t = 0.0;
    if (GetSettings()->music) {
        t = MusicTime();
    } else {
        t = ClockTime() - clockOrigin;
    }
    now.delta = t - now.time;
    now.time = t;
}

bool Demo::Frame() {
    // Boxes raised on the precalc worker wait for the main thread.
    platform::ShowPendingErrorBoxes();
    switch (state) {
    case DemoState::Precalculating:
        return FramePrecalc();
    case DemoState::Playing:
        return FramePlaying();
    default:
        return true;
    }
}

bool Demo::FramePrecalc() {
    const PrecalcReading reading = ReadPrecalc(QueueStatus(*precalcQueue), totalWorkUnits);
    switch (reading.outcome) {
    case PrecalcOutcome::Running:
        progressBar->Draw(totalWorkUnits, reading.doneUnits);
        return true;
    case PrecalcOutcome::Succeeded:
        return StartPlayback();
    case PrecalcOutcome::Failed:
        break;
    }
    precalcFailed = true;
    return false;
}

bool Demo::StartPlayback() {
    sequence->UploadScenes();  // playback starts whatever the upload reports
    const AppSettings* settings = GetSettings();
    const double offset = settings->startTime;
    if (settings->music) {
        if (offset != 0.0)
            musicPlayer->Seek(offset);
        now.time = offset;
    } else {
        clockOrigin = ClockTime() - offset;
        now.time = offset;
    }
    now.delta = 0.0;
    if (settings->music) {
        Message(LOG_SYSTEM, "Starting music playback...");
        if (musicPlayer->IsDeviceReady() && musicPlayer->IsOpen())
            musicPlayer->Play();
        musicFailover = std::make_unique<MusicFailover>(
            *musicPlayer, MusicFailover::DefaultOutput(GetDisplay()->GetWindowHandle(), musicPlayer->Format()));
        musicFailover->Restart(WallTime(), offset);
    }
    state = DemoState::Playing;
    return true;
}

double Demo::SyncRow(double time) { return SyncRowAt(time, Tempo().bpm); }

bool Demo::OnSyncTrackFileRefused(const std::string& path, const std::string& reason) {
    Message(LOG_ERROR, "Cannot load sync track from file '%s': %s.", path.c_str(), reason.c_str());
    return false;
}

bool Demo::LoadNewSyncTrackFiles() {
    FileSystem* files = GetFileSystem();
    for (; syncTracksLoaded < syncTracks.Count(); ++syncTracksLoaded) {
        SyncTrack& track = syncTracks.At(syncTracksLoaded);
        const std::string path = SyncTrackPath(track.Name());
        if (!files || !files->Exists(path))
            continue;
        MemoryStream bytes;
        std::vector<SyncKey> keys;
        std::string reason = "the file cannot be read";
        if (files->ReadFile(path, bytes) && ReadSyncTrackKeys(bytes.Data(), bytes.Length(), keys, reason))
            track.SetKeys(std::move(keys));
        else if (!OnSyncTrackFileRefused(path, reason))
            return false;
    }
    return true;
}

// Programs bind their tracks here too, so tracks new since the last frame
// (a tool relinked a program) get their files read.
void Demo::ApplySyncTracks() {
    if (ShaderProgramManager* programs = GetShaderProgramManager())
        programs->ApplySyncTracks(syncTracks);
}

bool Demo::FramePlaying() {
    syncTracks.SetRow(SyncRow(now.time));
    ApplySyncTracks();
    if (!LoadNewSyncTrackFiles()) {
        precalcFailed = true;
        return false;
    }
    if (paused && !pausedStepOwed) {
        RenderFrame();
        return true;
    }
    pausedStepOwed = false;
    if (!sequence->Update(&now))
        return false;
    envelopeTrack->Expire(now.time);
    if (DrawsFrame())
        RenderFrame();
    return true;
}

void Demo::RewindTo(double time, double step) {
    if (state != DemoState::Playing || !(step > 0.0))
        return;
    // The entry point seeds the generator before anything draws from it.
    Srand(kRandomSeed);
    sequence->Rewind();
    *envelopeTrack = *initialEnvelope;
    now = DemoTime();
    for (int64_t frame = 0; static_cast<double>(frame) * step < time - kSameFrame; ++frame)
        AdvanceUndrawn(static_cast<double>(frame) * step);
    if (GetSettings()->music) {
        musicPlayer->Seek(time);
        musicFailover->Restart(WallTime(), time);
    } else
        clockOrigin = ClockTime() - time;
    if (paused) {
        // The clock stands still: the next frame is the one at `time`, and
        // it alone still updates the scenes.
        now.delta = time - now.time;
        now.time = time;
        pausedStepOwed = true;
    }
}

// One frame of the show at `time`, as Update and Frame make it, undrawn.
void Demo::AdvanceUndrawn(double time) {
    now.delta = time - now.time;
    now.time = time;
    syncTracks.SetRow(SyncRow(time));
    if (sequence->Update(&now))
        envelopeTrack->Expire(now.time);
}

void Demo::SetPaused(bool pause) {
    if (pause == paused || state != DemoState::Playing)
        return;
    paused = pause;
    if (GetSettings()->music) {
        if (paused) {
            musicPlayer->Pause();
        } else {
            musicPlayer->Resume();
            musicFailover->Restart(WallTime(), now.time);
        }
    } else if (!paused) {
        // The clock went on while the show stood still.
        clockOrigin = ClockTime() - now.time;
    }
}

void Demo::RenderFrame() {
    if (!GetSettings()->postFx) {
        FrameMarks::Mark(FrameMarks::Point::SceneBegin);
        sequence->Render(now.time);
        FrameMarks::Mark(FrameMarks::Point::SceneEnd);
        FrameMarks::Mark(FrameMarks::Point::FinalPassEnd);
        return;
    }
    Display* display = GetDisplay();
    display->SetRenderTarget(display->FindRenderTarget(kFrameTarget));
    FrameMarks::Mark(FrameMarks::Point::SceneBegin);
    sequence->Render(now.time);
    FrameMarks::Mark(FrameMarks::Point::SceneEnd);
    display->SetRenderTarget(nullptr);
    mainPassUniforms.SetFloat("uTime", static_cast<float>(now.time));
    mainPassUniforms.SetFloat("uFlash", postFlash.Or(static_cast<float>(envelopeTrack->Flash(now.time))));
    mainPassUniforms.SetFloat("uFade", postFade.Or(static_cast<float>(envelopeTrack->Fade(now.time))));
    display->SetBlending(false);
    postProcessor->Draw(kFrameTarget, "mainpostfx", mainPassUniforms);
    FrameMarks::Mark(FrameMarks::Point::FinalPassEnd);
}

void Demo::OnShutdown() {
    state = DemoState::ShuttingDown;
    StopPrecalc();
    if (sequence)
        sequence->Destroy();
    sequence.reset();
    TearDownMusic();
    envelopeTrack.reset();
    postProcessor.reset();
    // A box the worker raised just before it ended is still owed.
    platform::ShowPendingErrorBoxes();
    state = DemoState::ShutDown;
    SetDemoContext(nullptr);
}

void Demo::StopPrecalc() {
    progressBar.reset();
    if (precalcQueue && precalcQueue->IsRunning())
        precalcQueue->Stop();
    precalcQueue.reset();
}

void Demo::TearDownMusic() {
    tempo.reset();
    // The failover's thread may still be closing a stalled device; it is
    // given a moment, never waited for.
    musicFailover.reset();
    if (!musicPlayer)
        return;
    // The player's destructor stops the buffer, closes the track and lets
    // the device go, in that order.
    musicPlayer.reset();
}
