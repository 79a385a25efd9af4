#include "demo/scenes/BoxArray.h"

#include "demo/scenes/Camera.h"
#include "demo/scenes/NormalMatrix.h"
#include "engine/core/Engine.h"
#include "engine/render/Display.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/ShaderProgram.h"
#include "engine/render/ShaderProgramManager.h"
#include "engine/render/VertexBuffer.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr uint32_t kCubeVertexCount = 24;

// Each face: its normal, then its four corners in drawing order.
constexpr float kCubeFaces[6][5][3] = {
    {{0, 0, 1}, {-1, 1, 1}, {-1, -1, 1}, {1, -1, 1}, {1, 1, 1}},
    {{1, 0, 0}, {1, 1, 1}, {1, -1, 1}, {1, -1, -1}, {1, 1, -1}},
    {{0, 0, -1}, {1, 1, -1}, {1, -1, -1}, {-1, -1, -1}, {-1, 1, -1}},
    {{-1, 0, 0}, {-1, 1, -1}, {-1, -1, -1}, {-1, -1, 1}, {-1, 1, 1}},
    {{0, 1, 0}, {-1, 1, -1}, {-1, 1, 1}, {1, 1, 1}, {1, 1, -1}},
    {{0, -1, 0}, {-1, -1, 1}, {-1, -1, -1}, {1, -1, -1}, {1, -1, 1}},
};

// Vertex usages of the layouts, as the layout records name them.
constexpr int32_t kUsagePosition = 1;
constexpr int32_t kUsageNormal = 2;
constexpr int32_t kUsageColor = 4;
constexpr int32_t kUsageMatrix = 5;

std::vector<float> CubeVertices() {
    std::vector<float> vertices;
    vertices.reserve(kCubeVertexCount * 6);
    for (const auto& face : kCubeFaces) {
        for (int corner = 1; corner <= 4; ++corner) {
            vertices.insert(vertices.end(), face[corner], face[corner] + 3);
            vertices.insert(vertices.end(), face[0], face[0] + 3);
        }
    }
    return vertices;
}

uint8_t PackChannel(float value) {
    return static_cast<uint8_t>(std::min(1.0f, std::max(0.0f, value)) * 255.0f);
}

void WriteInstance(const Box& box, const Matrix4& view, uint8_t* record) {
    Vector3 halfSize = {0.5f * box.size.x, 0.5f * box.size.y, 0.5f * box.size.z};
    Matrix4 model = ComposeTransform(halfSize, box.orientation, box.position);
    Matrix4 normal = NormalMatrix(Multiply(view, model));
    std::memcpy(record, model.m, 64);
    std::memcpy(record + 64, normal.m, 64);
    for (int channel = 0; channel < 4; ++channel)
        record[128 + channel] = PackChannel(box.color[channel]);
}

}

BoxArray::BoxArray() {
    cubeLayout.Add(kUsagePosition, ATTRIBUTE_FLOAT, 3);
    cubeLayout.Add(kUsageNormal, ATTRIBUTE_FLOAT, 3);
    instanceLayout.Add(kUsageMatrix, ATTRIBUTE_MATRIX4, 1);
    instanceLayout.Add(kUsageMatrix, ATTRIBUTE_MATRIX4, 1);
    instanceLayout.Add(kUsageColor, ATTRIBUTE_UNSIGNED_BYTE, 4, true);
}

BoxArray::~BoxArray() = default;

bool BoxArray::Create(uint32_t count) {
    Engine* engine = GetEngine();
    Display* display = engine ? engine->GetDisplay() : nullptr;
    ShaderProgramManager* programs = engine ? engine->GetShaderProgramManager() : nullptr;
    if (!display || !programs)
        return false;
    boxes.assign(count, Box());
    if (!CreateCube(display) || !CreateInstances(display, count))
        return false;
    return programs->Load("data/shaders/boxarray_2lights.vs", "data/shaders/boxarray_2lights.fs", program);
}

bool BoxArray::CreateCube(Display* display) {
    std::vector<float> vertices = CubeVertices();
    cubeVertices.reset(display->CreateVertexBuffer(kCubeVertexCount, cubeLayout.stride, false, vertices.data()));
    uint16_t cubeIndices[kCubeVertexCount];
    for (uint16_t index = 0; index < kCubeVertexCount; ++index)
        cubeIndices[index] = index;
    indices.reset(display->CreateIndexBuffer(kCubeVertexCount, 2, false, cubeIndices));
    return cubeVertices && indices;
}

bool BoxArray::CreateInstances(Display* display, uint32_t count) {
    instanceData.assign(static_cast<size_t>(count) * kBoxInstanceSize, 0);
    instanceVertices.reset(display->CreateVertexBuffer(count, kBoxInstanceSize, true, nullptr));
    return instanceVertices != nullptr;
}

uint32_t BoxArray::BuildInstances(const Matrix4& view) {
    SortNearestFirst(view);
    uint32_t written = 0;
    for (uint32_t index : drawOrder) {
        WriteInstance(boxes[index], view, &instanceData[static_cast<size_t>(written) * kBoxInstanceSize]);
        ++written;
    }
    return written;
}

// The boxes are opaque, so their order does not change the picture; nearest
// first lets the depth test reject hidden fragments before they are shaded,
// which on a software rasteriser decides whether a dense view fits a frame.
void BoxArray::SortNearestFirst(const Matrix4& view) {
    drawOrder.clear();
    depths.resize(boxes.size());
    for (uint32_t index = 0; index < boxes.size(); ++index) {
        const Vector3& p = boxes[index].position;
        depths[index] = view.m[2] * p.x + view.m[6] * p.y + view.m[10] * p.z;  // view z, larger is nearer
        if (boxes[index].active)
            drawOrder.push_back(index);
    }
    std::sort(drawOrder.begin(), drawOrder.end(), [this](uint32_t a, uint32_t b) { return depths[a] > depths[b]; });
}

void BoxArray::Draw() {
    Engine* engine = GetEngine();
    Display* display = engine ? engine->GetDisplay() : nullptr;
    ShaderProgram* shader = program.As<ShaderProgram>();
    Camera* camera = display ? display->GetCamera() : nullptr;
    if (!shader || !camera || !instanceVertices)
        return;
    camera->BuildProjection();
    camera->UpdateView();
    SetUniforms(*camera);
    BindLayouts(display);
    uint32_t count = BuildInstances(camera->view);
    if (count == 0)
        return;
    instanceVertices->UpdateRange(instanceData.data(), 0, count);
    display->SetDepthTest(true);
    display->SetCulling(true);
    display->SetBlending(false);
    display->DrawIndexedInstanced(indices.get(), PRIMITIVE_QUADS, kCubeVertexCount, count);
}

void BoxArray::SetUniforms(const Camera& camera) {
    static const float kLight1Position[3] = {10.0f, 10.0f, 10.0f};
    static const float kLight2Position[3] = {-10.0f, 10.0f, -10.0f};
    static const float kLight1Color[3] = {0.5f, 0.7f, 1.0f};
    static const float kLight2Color[3] = {0.7f, 0.5f, 1.0f};
    static const float kAmbientColor[3] = {0.0f, 0.0f, 0.0f};
    static const float kSpecularColor[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    ShaderProgram* shader = program.As<ShaderProgram>();
    shader->SetMatrix4("uProjectionMatrix", camera.projection.m);
    shader->SetMatrix4("uViewMatrix", camera.view.m);
    shader->SetVec3("uLight1Position", kLight1Position);
    shader->SetVec3("uLight2Position", kLight2Position);
    shader->SetVec3("uLight1Color", kLight1Color);
    shader->SetVec3("uLight2Color", kLight2Color);
    shader->SetVec3("uAmbientColor", kAmbientColor);
    shader->SetVec4("uMaterialSpecularColor", kSpecularColor);
    shader->SetFloat("uMaterialShininess", 80.0f);
    shader->Use();
}

void BoxArray::BindLayouts(Display* display) {
    uint32_t next = display->BindVertexLayout(cubeVertices.get(), cubeLayout, 0, 0);
    next = display->BindVertexLayout(instanceVertices.get(), instanceLayout, next, 1);
    display->DisableVertexAttributesFrom(next);
}
