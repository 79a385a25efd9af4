#pragma once

#include <cstdint>

class Scene;

// One stretch of the time line in which a scene plays.
struct SequenceEntry {
    Scene* scene = nullptr;  // not owned; a scene may play in several entries
    int32_t variant = 0;     // handed to the scene's Begin
    double start = 0.0;      // active for start <= t < end, in seconds
    double end = 0.0;
    double duration = 0.0;
    int32_t layer = 0;         // 0 full screen, 1 overlay; higher layers draw later
    bool pendingBegin = true;  // cleared once the scene began for this entry

    bool IsActiveAt(double time) const { return start <= time && time < end; }
};
