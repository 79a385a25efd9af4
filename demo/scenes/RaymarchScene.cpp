#include "demo/scenes/RaymarchScene.h"

#include "demo/draw/ShaderQuad.h"
#include "demo/scenes/SceneServices.h"
#include "demo/scenes/SceneTracks.h"
#include "engine/render/Display.h"

namespace {
const char* const kCubesShader = "data/shaders/generator/rmgreencubes.fs";
const char* const kSpheresShader = "data/shaders/generator/rmgreenspheres.fs";
constexpr float kCubesTimeOffset = 7.0f;
}

GeneratorScene::GeneratorScene(const std::string& fragmentShaderPath, const char* trackScene)
    : fragmentShaderPath(fragmentShaderPath), trackScene(trackScene) {}

GeneratorScene::~GeneratorScene() = default;

bool GeneratorScene::Init() {
    Display* display = SceneDisplay();
    if (!display)
        return false;
    auto created = std::make_unique<ShaderQuad>();
    if (!created->Init(fragmentShaderPath))
        return false;
    quad = std::move(created);
    const DisplayMode* mode = display->GetCurrentMode();
    const float resolution[2] = {static_cast<float>(mode->width), static_cast<float>(mode->height)};
    if (resolutionSlot < 0)
        resolutionSlot = inputs.Add("uResolution", 2, resolution, "the display's size");
    inputs.SetCode(resolutionSlot, resolution);
    inputs.Bind(SceneTracks(trackScene));
    inputs.ApplyTo(uniforms);
    return true;
}

void GeneratorScene::Release() { quad.reset(); }

void GeneratorScene::Render() {
    if (quad)
        quad->Draw(uniforms, 0.0f, 0.0f, 1.0f, 1.0f);
}

CubesScene::CubesScene() : GeneratorScene(kCubesShader, "cubes") {
    static const float kBackground[3] = {0.0f, 0.0f, 0.0f};
    timeSlot = inputs.Add("uTime", 0.0f, "the show's time + 7 s");
    cameraTimeSlot = inputs.Add("uCameraTime", 0.0f, "the show's time + 7 s");
    inputs.Add("uBgColor", 3, kBackground);
}

void CubesScene::Update(const DemoTime* time) {
    const float t7 = static_cast<float>(time->time) + kCubesTimeOffset;
    inputs.SetCode(timeSlot, t7);
    inputs.SetCode(cameraTimeSlot, t7);
    inputs.ApplyTo(uniforms);
}

SpheresScene::SpheresScene() : GeneratorScene(kSpheresShader, "spheres") {
    timeSlot = inputs.Add("uTime", 0.0f, "the show's time");
}

void SpheresScene::Update(const DemoTime* time) {
    inputs.SetCode(timeSlot, static_cast<float>(time->time));
    inputs.ApplyTo(uniforms);
}
