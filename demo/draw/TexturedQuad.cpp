#include "demo/draw/TexturedQuad.h"

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
const char* const kVertexShader = "data/shaders/base/textured2d.vs";
}

TexturedQuad::TexturedQuad() : projection(ScreenSpaceProjection()) {
    layout.Add(0, ATTRIBUTE_FLOAT, 2);
    layout.Add(3, ATTRIBUTE_FLOAT, 2);
}

TexturedQuad::~TexturedQuad() = default;

bool TexturedQuad::Init(const std::string& fragmentShaderPath) {
    if (!CreateQuadBuffers(layout.stride, vertices, indices))
        return false;
    return LoadProgram(kVertexShader, fragmentShaderPath, program);
}

void TexturedQuad::Draw(Texture* texture, UniformSet& uniforms, float x, float y, float width, float height, float u,
                        float v, float du, float dv) {
    ShaderProgram* shader = program.As<ShaderProgram>();
    Display* display = GetEngine() ? GetEngine()->GetDisplay() : nullptr;
    if (!shader || !vertices || !display)
        return;
    const auto corners = QuadCorners(x, y, width, height);
    const auto texels = QuadCorners(u, v, du, dv);
    for (int i = 0; i < 4; ++i) {
        float* vertex = cpuVertices + 4 * i;
        vertex[0] = corners[i].x;
        vertex[1] = corners[i].y;
        vertex[2] = texels[i].x;
        vertex[3] = texels[i].y;
    }
    vertices->Update(cpuVertices);
    shader->SetMatrix4("uProjMtx", projection.m);
    shader->SetInt("uDiffuseTexture", 0);
    display->SetTexture(0, texture);
    uniforms.Apply(program);
    shader->Use();
    display->SetDepthTest(false);
    display->SetCulling(false);
    display->DrawMesh(vertices.get(), layout, indices.get(), PRIMITIVE_QUADS, 4);
}
