#include "demo/draw/ShaderQuad.h"

#include "demo/draw/QuadBuffers.h"
#include "demo/draw/QuadCorners.h"
#include "demo/draw/ScreenSpace.h"
#include "engine/core/Engine.h"
#include "engine/render/Display.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/ShaderProgram.h"
#include "engine/render/UniformSet.h"
#include "engine/render/VertexBuffer.h"

namespace {
const char* const kVertexShader = "data/shaders/base/basic2d.vs";
}

ShaderQuad::ShaderQuad() : projection(ScreenSpaceProjection()) { layout.Add(0, ATTRIBUTE_FLOAT, 2); }

ShaderQuad::~ShaderQuad() = default;

bool ShaderQuad::Init(const std::string& fragmentShaderPath) {
    if (!CreateQuadBuffers(layout.stride, vertices, indices))
        return false;
    return LoadProgram(kVertexShader, fragmentShaderPath, program);
}

void ShaderQuad::Draw(UniformSet& uniforms, float x, float y, float width, float height) {
    ShaderProgram* shader = program.As<ShaderProgram>();
    Display* display = GetEngine() ? GetEngine()->GetDisplay() : nullptr;
    if (!shader || !vertices || !display)
        return;
    const auto corners = QuadCorners(x, y, width, height);
    for (int i = 0; i < 4; ++i) {
        cpuVertices[2 * i] = corners[i].x;
        cpuVertices[2 * i + 1] = corners[i].y;
    }
    vertices->Update(cpuVertices);
    shader->SetMatrix4("uProjMtx", projection.m);
    uniforms.Apply(program);
    shader->Use();
    display->SetDepthTest(false);
    display->SetCulling(false);
    display->SetBlending(false);
    display->DrawMesh(vertices.get(), layout, indices.get(), PRIMITIVE_QUADS, 4);
}
