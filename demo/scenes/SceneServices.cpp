#include "demo/scenes/SceneServices.h"

#include "demo/DemoContext.h"
#include "demo/show/Tempo.h"
#include "engine/core/Engine.h"
#include "engine/render/Display.h"
#include "engine/sync/SyncTrackSet.h"

Display* SceneDisplay() {
    Engine* engine = GetEngine();
    return engine ? engine->GetDisplay() : nullptr;
}

float SceneDisplayAspect() {
    Display* display = SceneDisplay();
    const DisplayMode* mode = display ? display->GetCurrentMode() : nullptr;
    if (!mode || mode->width == 0 || mode->height == 0)
        return 4.0f / 3.0f;
    return static_cast<float>(mode->width) / static_cast<float>(mode->height);
}

const Tempo& SceneTempo() {
    static const Tempo standard;
    DemoContext* context = GetDemoContext();
    const Tempo* tempo = context ? context->GetTempo() : nullptr;
    return tempo ? *tempo : standard;
}

PostProcessor* ScenePostProcessor() {
    DemoContext* context = GetDemoContext();
    return context ? context->GetPostProcessor() : nullptr;
}

SyncTrackSet& SceneSyncTracks() {
    static SyncTrackSet unkeyed;
    DemoContext* context = GetDemoContext();
    SyncTrackSet* tracks = context ? context->GetSyncTracks() : nullptr;
    return tracks ? *tracks : unkeyed;
}
