#pragma once

#include "engine/core/DemoTime.h"

#include <cstdint>

class PrecalcProgress;

// One part of the show. Everything but Precalc runs on the main thread, where
// the GL context lives; Precalc runs on the precalc thread and must not touch
// GPU objects, so that Upload turns its results into them afterwards.
class Scene {
public:
    virtual ~Scene() = default;
    // Loads programs and creates what needs no precalculated data.
    virtual bool Init() { return true; }
    // How many times Precalc reports a step.
    virtual int32_t PrecalcWorkUnits() { return 0; }
    virtual bool Precalc(PrecalcProgress* /*progress*/) { return true; }
    // Makes GPU objects of what Precalc produced and frees the CPU copies.
    virtual bool Upload() { return true; }
    // Frees the GPU objects before the scene is deleted.
    virtual void Release() {}
    // Once per time-line entry, at the first frame in which it is active.
    virtual void Begin(int32_t /*variant*/, const DemoTime* /*time*/) {}
    virtual void Update(const DemoTime* /*time*/) {}
    // Draws into whatever render target is bound.
    virtual void Render() = 0;
    // Back to the state before the show's first frame: whatever Begin and
    // Update have changed and a later frame does not set anew.
    virtual void Rewind() {}

    // The look chosen by the entry that began last.
    int32_t GetVariant() const { return variant; }
    void SetVariant(int32_t value) { variant = value; }

protected:
    int32_t variant = 0;
};
