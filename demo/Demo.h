#pragma once

#include "demo/DemoContext.h"
#include "demo/DemoState.h"
#include "demo/show/TimeLine.h"
#include "engine/core/Application.h"
#include "engine/render/UniformSet.h"
#include "engine/sync/SyncTrackSet.h"
#include "engine/sync/SyncValue.h"

#include <cstdint>
#include <memory>

class EnvelopeTrack;
class MusicFailover;
class MusicPlayer;
class PostProcessor;
class PrecalcQueue;
class ProgressBar;
class Sequence;
struct Tempo;

// The production: post-processing, music and the time line are set up at
// start, a progress bar shows while the precalc worker runs, then the show
// plays in time with the music (or with the clock when there is none) until
// the time line ends.
class Demo : public Application, public DemoContext {
public:
    // The music track, as the file system finds it.
    static const char* const kMusicFile;
    // What the main thread's random numbers start from, before the show draws any.
    static constexpr unsigned int kRandomSeed = 12345;

    explicit Demo(SceneFactory createScene);
    Demo();
    ~Demo() override;

    void GetTitle(std::string& title) override;
    bool OnInit() override;
    void OnShutdown() override;
    void Update() override;
    const DemoTime& GetTime() const override { return now; }
    bool Frame() override;

    PostProcessor* GetPostProcessor() override { return postProcessor.get(); }
    EnvelopeTrack* GetEnvelopeTrack() override { return envelopeTrack.get(); }
    const Tempo* GetTempo() override { return tempo.get(); }
    SyncTrackSet* GetSyncTracks() override { return &syncTracks; }

    DemoState GetState() const { return state; }

    // Seams for tools that drive the show; the program itself uses none.
    // Brings the playing show to the state a straight run on the clock has
    // at `time`, stepping from the start at `step` seconds without drawing,
    // as an offline capture does. The music, if any, goes there too; without
    // it the clock as it reads now counts as `time`.
    void RewindTo(double time, double step);
    // While paused the music stops and every frame draws the same moment:
    // no scene updates, no envelope event expires, no random value is drawn.
    void SetPaused(bool paused);
    bool IsPaused() const { return paused; }
    // The worker ended without doing all its work, or a track file was
    // refused: the show never played.
    bool PrecalcFailed() const { return precalcFailed; }
    // The sync row of a show time, at the show's tempo.
    static double SyncRow(double time);

protected:
    // Seconds of the engine clock, the show's time when there is no music.
    virtual double ClockTime() const;
    double WallTime();
    // False for a frame whose scenes are advanced but not drawn: an offline
    // capture steps through the frames before the one it keeps.
    virtual bool DrawsFrame() const { return true; }
    // A track file that does not read. The show logs it and stops; a tool
    // may keep the track's keys and go on (true).
    virtual bool OnSyncTrackFileRefused(const std::string& path, const std::string& reason);
    // Reads the files of the tracks bound since the last call.
    bool LoadNewSyncTrackFiles();

private:
    bool SetUpPostProcessing();
    void SetUpMusic();
    bool OpenMusic();
    bool SetUpSequence();
    bool StartPrecalc();
    bool FramePrecalc();
    bool FramePlaying();
    void RenderFrame();
    bool StartPlayback();
    void AdvanceUndrawn(double time);
    void StopPrecalc();
    void TearDownMusic();
    double MusicTime();
    void ApplySyncTracks();

    SceneFactory createScene;
    DemoState state = DemoState::Created;
    double clockOrigin = 0.0;
    DemoTime now;
    std::unique_ptr<Sequence> sequence;
    std::unique_ptr<MusicPlayer> musicPlayer;
    std::unique_ptr<MusicFailover> musicFailover;
    std::unique_ptr<PrecalcQueue> precalcQueue;
    int32_t totalWorkUnits = 0;
    std::unique_ptr<ProgressBar> progressBar;
    std::unique_ptr<PostProcessor> postProcessor;
    std::unique_ptr<EnvelopeTrack> envelopeTrack;
    // The envelope as the time line made it, before any event expired.
    std::unique_ptr<EnvelopeTrack> initialEnvelope;
    UniformSet mainPassUniforms;
    // Kept through a restart, with every key, so that a tool's edits stay.
    SyncTrackSet syncTracks;
    size_t syncTracksLoaded = 0;
    SyncValue postFade;
    SyncValue postFlash;
    std::unique_ptr<Tempo> tempo;
    bool precalcFailed = false;
    bool paused = false;
    // A rewind while paused still owes the frame at its time one update.
    bool pausedStepOwed = false;
};
