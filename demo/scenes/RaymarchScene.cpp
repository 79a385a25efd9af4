#include "demo/scenes/RaymarchScene.h"

#include "demo/draw/ShaderQuad.h"
#include "demo/scenes/SceneServices.h"
#include "engine/render/Display.h"

namespace {
const char* const kCubesShader = "data/shaders/generator/rmgreencubes.fs";
const char* const kSpheresShader = "data/shaders/generator/rmgreenspheres.fs";
constexpr float kCubesTimeOffset = 7.0f;
}

GeneratorScene::GeneratorScene(const std::string& fragmentShaderPath) : fragmentShaderPath(fragmentShaderPath) {}

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
    uniforms.SetVec2("uResolution", resolution);
    return true;
}

void GeneratorScene::Release() { quad.reset(); }

void GeneratorScene::Render() {
    if (quad)
        quad->Draw(uniforms, 0.0f, 0.0f, 1.0f, 1.0f);
}

CubesScene::CubesScene() : GeneratorScene(kCubesShader) {}

void CubesScene::Update(const DemoTime* time) {
    const float t7 = static_cast<float>(time->time) + kCubesTimeOffset;
    const float background[3] = {0.0f, 0.0f, 0.0f};
    uniforms.SetFloat("uTime", t7);
    uniforms.SetFloat("uCameraTime", t7);
    uniforms.SetVec3("uBgColor", background);
}

SpheresScene::SpheresScene() : GeneratorScene(kSpheresShader) {}

void SpheresScene::Update(const DemoTime* time) { uniforms.SetFloat("uTime", static_cast<float>(time->time)); }
