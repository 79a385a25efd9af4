#pragma once

#include "demo/scenes/SceneTracks.h"
#include "demo/scenes/SyncedUniforms.h"
#include "demo/show/Scene.h"
#include "engine/core/Vector3.h"
#include "engine/render/UniformSet.h"

#include <cstdint>
#include <memory>
#include <vector>

class BoxArray;
class Camera;
struct Box;

// A 50 x 50 field of boxes, one instanced draw lit by two coloured lights:
// columns (variants 0 and 3, variant 0 ten seconds ahead) or a rippling thin
// floor (variants 1 and 2), random pulses that flash boxes white and fade
// them back to grey, a camera circling the field and a glow on top.
class BoxGridScene : public Scene {
public:
    static constexpr uint32_t kGridSize = 50;
    static constexpr int32_t kPulseRate = 1050;

    BoxGridScene();
    ~BoxGridScene() override;

    bool Init() override;
    int32_t PrecalcWorkUnits() override { return 1; }
    bool Precalc(PrecalcProgress* progress) override;
    void Release() override;
    void Begin(int32_t variant, const DemoTime* time) override;
    void Update(const DemoTime* time) override;
    void Render() override;
    void Rewind() override;

    // Pulses per second at the time: variant 2 runs down from the full rate
    // at 52 patterns to none at 54 patterns less 0.75 s.
    static int32_t PulseRate(int32_t variant, double time, double patternLength);

    const BoxArray* GetBoxArray() const { return boxArray.get(); }
    const std::vector<float>& GetIntensities() const { return intensities; }
    const Camera* GetCamera() const { return camera.get(); }
    double GetLastPulseTime() const { return lastPulseTime; }
    const UniformSet& GetUniforms() const { return uniforms; }

private:
    void LayOutBoxes();
    void EmitPulses(double time);
    void AnimateBoxes(float t, float delta);
    void PlaceBox(uint32_t row, uint32_t column, float t, Box& box) const;
    void FadePulse(uint32_t index, float delta, Box& box);
    void SteerCamera(float t);
    void StoreShaderInputs(float t);
    void DrawBoxes();
    void BindTracks();

    std::unique_ptr<BoxArray> boxArray;
    std::vector<float> intensities;
    std::unique_ptr<Camera> camera;
    uint32_t gridSize = kGridSize;
    Vector3 boxSize = {1.0f, 1.0f, 1.0f};
    Vector3 spacing = {1.0f, 1.0f, 1.0f};
    Vector3 offset = {0.5f, 0.5f, 0.5f};
    double lastPulseTime = 0.0;
    // Kept for shaders that would displace the picture; no draw applies it.
    UniformSet uniforms;
    SyncedUniforms shaderInputs;
    int timeSlot = 0;
    int displacementSlots[3] = {};
    CameraTracks cameraTracks;
    SyncValue blurSize;
    bool firstBegin = true;
};
