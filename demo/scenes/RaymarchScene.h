#pragma once

#include "demo/scenes/SyncedUniforms.h"
#include "demo/show/Scene.h"
#include "engine/render/UniformSet.h"

#include <memory>
#include <string>

class ShaderQuad;

// A scene whose whole picture is computed by one fragment shader on a
// full-screen quad; the CPU only feeds it the resolution and the time.
class GeneratorScene : public Scene {
public:
    // `trackScene` names the scene's tracks.
    GeneratorScene(const std::string& fragmentShaderPath, const char* trackScene);
    ~GeneratorScene() override;

    bool Init() override;
    void Release() override;
    // Draws straight into the bound target, without glow.
    void Render() override;

    const UniformSet& GetUniforms() const { return uniforms; }

protected:
    // The code's values, each replaceable by a track, into `uniforms`.
    SyncedUniforms inputs;
    UniformSet uniforms;

private:
    std::string fragmentShaderPath;
    const char* trackScene;
    int resolutionSlot = -1;
    std::unique_ptr<ShaderQuad> quad;
};

// Turning cubes; its clock runs seven seconds ahead of the demo's.
class CubesScene : public GeneratorScene {
public:
    CubesScene();
    void Update(const DemoTime* time) override;

private:
    int timeSlot;
    int cameraTimeSlot;
};

// Bobbing spheres on the demo's own clock, so a later entry continues where
// the time line is rather than starting over.
class SpheresScene : public GeneratorScene {
public:
    SpheresScene();
    void Update(const DemoTime* time) override;

private:
    int timeSlot;
};
