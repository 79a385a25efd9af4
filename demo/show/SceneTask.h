#pragma once

#include "engine/core/PrecalcTask.h"

class Scene;

// Runs one scene's precalculation on the precalc thread.
class SceneTask : public PrecalcTask {
public:
    explicit SceneTask(Scene* scene) : scene(scene) {}

    int32_t WorkUnits() override;
    bool Run(PrecalcProgress* progress) override;

private:
    Scene* scene;  // owned by the sequence, which outlives the queue's run
};
