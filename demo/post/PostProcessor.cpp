#include "demo/post/PostProcessor.h"

#include "demo/draw/QuadBuffers.h"
#include "demo/draw/ScreenSpace.h"
#include "engine/core/Engine.h"
#include "engine/render/Display.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/RenderTarget.h"
#include "engine/render/ShaderProgram.h"
#include "engine/render/Texture.h"
#include "engine/render/VertexBuffer.h"

namespace {

const char* const kVertexShader = "data/shaders/base/textured2d.vs";

// Position then texture coordinate; v runs upwards, as render targets store
// their rows bottom first.
const float kQuadVertices[16] = {
    0.0f, 0.0f, 0.0f, 1.0f,
    0.0f, 1.0f, 0.0f, 0.0f,
    1.0f, 1.0f, 1.0f, 0.0f,
    1.0f, 0.0f, 1.0f, 1.0f,
};
const uint16_t kIndices[4] = {0, 1, 2, 3};

Display* EngineDisplay() { return GetEngine() ? GetEngine()->GetDisplay() : nullptr; }

}

PostProcessor::PostProcessor() : projection(ScreenSpaceProjection()) {
    quadLayout.Add(0, ATTRIBUTE_FLOAT, 2);
    quadLayout.Add(3, ATTRIBUTE_FLOAT, 2);
}

PostProcessor::~PostProcessor() = default;

bool PostProcessor::Create() {
    Display* display = EngineDisplay();
    if (!display)
        return false;
    quadVertices.reset(display->CreateVertexBuffer(4, quadLayout.stride, false, kQuadVertices));
    quadIndices.reset(display->CreateIndexBuffer(4, sizeof(uint16_t), false, kIndices));
    return quadVertices && quadIndices;
}

bool PostProcessor::AddEffect(const std::string& name, const std::string& fragmentShaderPath) {
    ResourceReference program;
    if (!LoadProgram(kVertexShader, fragmentShaderPath, program))
        return false;
    effects[name] = std::move(program);
    return true;
}

const ResourceReference* PostProcessor::FindEffect(const std::string& name) const {
    auto found = effects.find(name);
    return found == effects.end() ? nullptr : &found->second;
}

void PostProcessor::Draw(const std::string& targetName, const std::string& effectName, UniformSet& values) {
    Display* display = EngineDisplay();
    RenderTarget* target = display ? display->FindRenderTarget(targetName) : nullptr;
    const ResourceReference* found = FindEffect(effectName);
    if (!target || !found || !quadVertices)
        return;
    const ResourceReference program = *found;  // counted while drawing
    ShaderProgram* shader = program.As<ShaderProgram>();
    if (!shader)
        return;
    shader->SetMatrix4("uProjMtx", projection.m);
    shader->SetInt("uDiffuseTexture", 0);
    display->SetTexture(0, target->GetColorTexture()->As<Texture>());
    values.Apply(program);
    shader->Use();
    display->SetDepthTest(false);
    display->SetCulling(false);
    display->DrawMesh(quadVertices.get(), quadLayout, quadIndices.get(), PRIMITIVE_QUADS, 4);
}

void PostProcessor::Glow(const std::string& sourceName, const std::string& scratchName, float blurSize) {
    Display* display = EngineDisplay();
    if (!display)
        return;
    display->SetBlending(false);
    uniforms.SetFloat("uBlurSize", blurSize);
    Draw(sourceName, "nopostfx", uniforms);
    RenderTarget* previous = display->SetRenderTarget(display->FindRenderTarget(scratchName));
    Draw(sourceName, "blur_h", uniforms);
    display->SetRenderTarget(previous);
    display->SetBlending(true);
    display->SetBlendFunc(BLEND_SRC_ALPHA, BLEND_ONE);
    Draw(scratchName, "blur_v", uniforms);
}
