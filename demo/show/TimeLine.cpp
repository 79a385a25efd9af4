#include "demo/show/TimeLine.h"

#include "demo/show/EnvelopeTrack.h"
#include "demo/show/Scene.h"
#include "demo/show/Sequence.h"
#include "demo/show/Tempo.h"

#include <array>

namespace {

// The black screen after the last pattern, in seconds.
constexpr double kClosingSeconds = 3.0;

// A flash that rises to full over the given seconds before a cut.
TimeLineEvent FlashInto(double cut, double seconds) { return {EnvelopeKind::FlashIn, cut - seconds, cut}; }

// A flash that decays from full over the given seconds after a cut.
TimeLineEvent FlashOutOf(double cut, double seconds) { return {EnvelopeKind::FlashOut, cut, cut + seconds}; }

}

const char* SceneIdName(SceneId id) {
    switch (id) {
    case SceneId::Closing: return "closing";
    case SceneId::BoxGrid: return "box grid";
    case SceneId::Cubes: return "cubes";
    case SceneId::Spheres: return "spheres";
    case SceneId::MeshLight: return "mesh light";
    case SceneId::Title: return "title";
    }
    return "?";
}

std::vector<TimeLineEntry> ShowTimeLine(double patternLength) {
    const double p = patternLength;
    return {
        {1, SceneId::Title, 0, 0, 54 * p, {}},
        {0, SceneId::MeshLight, 0, 0, 8 * p, {{EnvelopeKind::FadeIn, 0, 5}, FlashInto(8 * p, 0.3)}},
        {0, SceneId::Spheres, 0, 8 * p, 16 * p, {FlashOutOf(8 * p, 0.5), FlashInto(16 * p, 0.5)}},
        {0, SceneId::BoxGrid, 1, 16 * p, 20 * p, {FlashOutOf(16 * p, 2.0), FlashInto(20 * p, 0.1)}},
        {0, SceneId::BoxGrid, 0, 20 * p, 24 * p, {FlashOutOf(20 * p, 1.5), FlashInto(24 * p, 0.4)}},
        {0, SceneId::Cubes, 0, 24 * p, 36 * p, {FlashOutOf(24 * p, 2.5), FlashInto(36 * p, 0.3)}},
        {0, SceneId::Spheres, 0, 36 * p, 44 * p, {FlashOutOf(36 * p, 0.5), FlashInto(44 * p, 0.5)}},
        {0, SceneId::BoxGrid, 1, 44 * p, 46 * p, {FlashOutOf(44 * p, 2.0), FlashInto(46 * p, 0.1)}},
        {0, SceneId::BoxGrid, 3, 46 * p, 48 * p, {FlashOutOf(46 * p, 1.5), FlashInto(48 * p, 0.3)}},
        {0, SceneId::Spheres, 0, 48 * p, 50 * p, {FlashOutOf(48 * p, 0.5), FlashInto(50 * p, 0.5)}},
        {0, SceneId::BoxGrid, 1, 50 * p, 52 * p, {FlashOutOf(50 * p, 2.0)}},
        {0, SceneId::BoxGrid, 2, 52 * p, 54 * p, {{EnvelopeKind::FadeOut, 52 * p, 54 * p}}},
        {0, SceneId::Closing, 0, 54 * p, 54 * p + kClosingSeconds, {}},
    };
}

bool BuildTimeLine(const Tempo& tempo, const SceneFactory& createScene, Sequence& sequence, EnvelopeTrack& envelope) {
    std::array<std::unique_ptr<Scene>, kSceneIdCount> made;
    for (int id = 0; id < kSceneIdCount; ++id) {
        made[id] = createScene(static_cast<SceneId>(id));
        if (!made[id])
            return false;
    }
    std::array<Scene*, kSceneIdCount> scenes;
    for (int id = 0; id < kSceneIdCount; ++id)
        scenes[id] = sequence.AddScene(std::move(made[id]));

    for (const TimeLineEntry& entry : ShowTimeLine(tempo.patternLength)) {
        sequence.Add(entry.layer, scenes[static_cast<int>(entry.scene)], entry.variant, entry.start, entry.end);
        for (const TimeLineEvent& event : entry.events)
            envelope.Add(event.kind, event.start, event.end);
    }
    return true;
}
