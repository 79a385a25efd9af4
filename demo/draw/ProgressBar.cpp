#include "demo/draw/ProgressBar.h"

#include "demo/draw/ProgressBarGeometry.h"
#include "demo/draw/QuadBuffers.h"
#include "engine/core/Engine.h"
#include "engine/render/Display.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/ShaderProgram.h"
#include "engine/render/VertexBuffer.h"

namespace {
const char* const kVertexShader = "data/shaders/base/colored2d.vs";
const char* const kFragmentShader = "data/shaders/base/colored.fs";
constexpr float kStartGrey = 0.7f;
}

static_assert(sizeof(float) * 2 + 4 == 12, "the bar's vertices are 12 bytes");

ProgressBar::ProgressBar() {
    layout.Add(0, ATTRIBUTE_FLOAT, 2);
    layout.Add(4, ATTRIBUTE_UNSIGNED_BYTE, 4, true);
}

ProgressBar::~ProgressBar() = default;

bool ProgressBar::Init() {
    camera.fieldOfView = 0.0f;
    camera.aspect = 0.0f;
    camera.SetOrthographic(-1.0f, 1.0f);
    camera.BuildProjection();
    if (!CreateQuadBuffers(layout.stride, vertices, indices))
        return false;
    SetColor(kStartGrey);
    return LoadProgram(kVertexShader, kFragmentShader, program);
}

void ProgressBar::SetColor(float grey) {
    const uint8_t level = ColorByte(grey);
    for (Vertex& vertex : cpuVertices) {
        vertex.rgba[0] = vertex.rgba[1] = vertex.rgba[2] = level;
        vertex.rgba[3] = 255;
    }
}

void ProgressBar::Draw(int32_t totalUnits, int32_t doneUnits) {
    ShaderProgram* shader = program.As<ShaderProgram>();
    Display* display = GetEngine() ? GetEngine()->GetDisplay() : nullptr;
    if (!shader || !vertices || !display)
        return;
    const ProgressBarGeometry bar = ComputeProgressBar(totalUnits, doneUnits);
    SetColor(bar.grey);
    for (int i = 0; i < 4; ++i) {
        cpuVertices[i].x = bar.corners[i].x;
        cpuVertices[i].y = bar.corners[i].y;
    }
    vertices->Update(cpuVertices);
    shader->Use();
    shader->SetMatrix4("uProjMtx", camera.projection.m);
    display->SetDepthTest(false);
    display->SetCulling(false);
    display->SetBlending(false);
    static const float kBlack[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    display->SetClearColor(kBlack);
    display->Clear(CLEAR_COLOR);
    display->DrawMesh(vertices.get(), layout, indices.get(), PRIMITIVE_QUADS, 4);
}
