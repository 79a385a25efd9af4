#pragma once

class Display;
class PostProcessor;
class SyncTrackSet;
struct Tempo;

// What the scenes reach through the engine and the demo context, with the
// fallbacks they use outside a running demo.

// The display of the running engine, or null.
Display* SceneDisplay();
// Width over height of the display's mode; 4:3 while none is open.
float SceneDisplayAspect();
// The demo's tempo, or the music's standard one without a demo.
const Tempo& SceneTempo();
// The demo's sync tracks; without a demo, a set of the scenes' own whose
// tracks never get keys.
SyncTrackSet& SceneSyncTracks();
// The demo's post-processor, or null.
PostProcessor* ScenePostProcessor();
