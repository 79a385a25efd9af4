#pragma once

class EnvelopeTrack;
class PostProcessor;
class SyncTrackSet;
struct Tempo;

// What the scenes share with the demo: the post-processing chain, the
// demo-wide fade and flash track and the music's tempo. Scenes reach it
// through GetDemoContext(), which is valid from the start of the demo's
// initialisation to the end of its shutdown.
class DemoContext {
public:
    virtual ~DemoContext() = default;
    virtual PostProcessor* GetPostProcessor() = 0;
    virtual EnvelopeTrack* GetEnvelopeTrack() = 0;
    virtual const Tempo* GetTempo() = 0;
    // The tracks that may replace the scenes' values; null without a show.
    virtual SyncTrackSet* GetSyncTracks() { return nullptr; }

    // Short name for the demo's envelope track.
    EnvelopeTrack* GetEnvelope() { return GetEnvelopeTrack(); }
};

// Null outside the demo's lifetime.
DemoContext* GetDemoContext();
void SetDemoContext(DemoContext* context);
