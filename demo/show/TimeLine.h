#pragma once

#include "demo/show/EnvelopeEvent.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class EnvelopeTrack;
class Scene;
class Sequence;
struct Tempo;

// The production's scenes, in the order they are created.
enum class SceneId {
    Closing,
    BoxGrid,
    Cubes,
    Spheres,
    MeshLight,
    Title,
};

constexpr int kSceneIdCount = 6;

// "box grid", "spheres", ...: how people name the scenes.
const char* SceneIdName(SceneId id);

// A demo envelope ramp, in seconds.
struct TimeLineEvent {
    EnvelopeKind kind;
    double start;
    double end;
};

// One entry of the show and the demo envelope ramps that belong to it.
struct TimeLineEntry {
    int32_t layer;
    SceneId scene;
    int32_t variant;
    double start;
    double end;
    std::vector<TimeLineEvent> events;
};

// The whole show for a pattern length, in playing order of its table.
std::vector<TimeLineEntry> ShowTimeLine(double patternLength);

// Makes the scene of an id; null when it cannot.
using SceneFactory = std::function<std::unique_ptr<Scene>(SceneId id)>;

// Creates the scenes into the sequence's care, adds the show's entries to the
// sequence and each entry's ramps, right after it, to the demo envelope.
// False, with nothing added, when a scene cannot be made.
bool BuildTimeLine(const Tempo& tempo, const SceneFactory& createScene, Sequence& sequence, EnvelopeTrack& envelope);
