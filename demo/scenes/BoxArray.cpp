#include "demo/scenes/BoxArray.h"

#include "demo/scenes/Camera.h"
#include "demo/scenes/NormalMatrix.h"
#include "demo/scenes/RadixSort.h"
#include "engine/core/Engine.h"
#include "engine/render/Display.h"
#include "engine/render/FrameMarks.h"
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

// Scale, then rotate, then move: the same matrix as ComposeTransform, with
// the products of zeros and ones left out.
Matrix4 ModelMatrix(const Box& box) {
    Matrix4 model = QuaternionToMatrix(box.orientation);
    const float half[3] = {0.5f * box.size.x, 0.5f * box.size.y, 0.5f * box.size.z};
    for (int column = 0; column < 3; ++column) {
        for (int row = 0; row < 3; ++row)
            model.m[column * 4 + row] *= half[column];
        model.m[column * 4 + 3] = 0.0f;
    }
    model.m[12] = box.position.x;
    model.m[13] = box.position.y;
    model.m[14] = box.position.z;
    model.m[15] = 1.0f;
    return model;
}

// a times b for two matrices whose bottom rows are 0 0 0 1.
Matrix4 MultiplyAffine(const Matrix4& a, const Matrix4& b) {
    Matrix4 result;
    for (int column = 0; column < 4; ++column) {
        const float* c = &b.m[column * 4];
        for (int row = 0; row < 3; ++row)
            result.m[column * 4 + row] = a.m[row] * c[0] + a.m[4 + row] * c[1] + a.m[8 + row] * c[2];
        result.m[column * 4 + 3] = 0.0f;
    }
    for (int row = 0; row < 3; ++row)
        result.m[12 + row] += a.m[12 + row];
    result.m[15] = 1.0f;
    return result;
}

// What the normal matrices of one frame share. For a box that is not turned
// the model is T(p)·S(h), and the transposed inverse of V·T(p)·S(h) with V
// affine has the columns of V's own normal matrix over h, and the bottom row
// (V's bottom row - p) over h: no inverse per box.
struct FrameNormals {
    Matrix4 view;
    bool affine = false;
    bool viewInvertible = false;
    Matrix4 viewNormal;
};

FrameNormals NormalsOf(const Matrix4& view) {
    FrameNormals frame;
    frame.view = view;
    frame.affine = IsAffine(view);
    if (frame.affine) {
        frame.viewInvertible = LinearDeterminant(view) != 0.0f;
        frame.viewNormal = NormalMatrix(view);
    }
    return frame;
}

bool IsUnturned(const Box& box) {
    return box.orientation.x == 0.0f && box.orientation.y == 0.0f && box.orientation.z == 0.0f &&
           box.orientation.w == 1.0f && box.size.x != 0.0f && box.size.y != 0.0f && box.size.z != 0.0f;
}

void WriteUnturned(const Box& box, const FrameNormals& frame, float* model, float* normal) {
    const float half[3] = {0.5f * box.size.x, 0.5f * box.size.y, 0.5f * box.size.z};
    const float position[3] = {box.position.x, box.position.y, box.position.z};
    std::memset(model, 0, 64);
    for (int column = 0; column < 3; ++column) {
        model[column * 5] = half[column];
        model[12 + column] = position[column];
        const float inverse = 1.0f / half[column];
        const float* source = &frame.viewNormal.m[column * 4];
        float* target = &normal[column * 4];
        target[0] = source[0] * inverse;
        target[1] = source[1] * inverse;
        target[2] = source[2] * inverse;
        target[3] = (source[3] - position[column]) * inverse;
    }
    model[15] = 1.0f;
    normal[12] = normal[13] = normal[14] = 0.0f;
    normal[15] = 1.0f;
}

void WriteInstance(const Box& box, const FrameNormals& frame, uint8_t* record) {
    if (frame.affine && frame.viewInvertible && IsUnturned(box)) {
        float matrices[32];
        WriteUnturned(box, frame, matrices, matrices + 16);
        std::memcpy(record, matrices, 128);
    } else {
        Matrix4 model = ModelMatrix(box);
        Matrix4 normal =
            NormalMatrix(frame.affine ? MultiplyAffine(frame.view, model) : Multiply(frame.view, model));
        std::memcpy(record, model.m, 64);
        std::memcpy(record + 64, normal.m, 64);
    }
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
    AddLighting();
}

void BoxArray::AddLighting() {
    static const float kLight1Position[3] = {10.0f, 10.0f, 10.0f};
    static const float kLight2Position[3] = {-10.0f, 10.0f, -10.0f};
    static const float kLight1Color[3] = {0.5f, 0.7f, 1.0f};
    static const float kLight2Color[3] = {0.7f, 0.5f, 1.0f};
    static const float kAmbientColor[3] = {0.0f, 0.0f, 0.0f};
    static const float kSpecularColor[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    lighting.Add("uLight1Position", 3, kLight1Position);
    lighting.Add("uLight2Position", 3, kLight2Position);
    lighting.Add("uLight1Color", 3, kLight1Color);
    lighting.Add("uLight2Color", 3, kLight2Color);
    lighting.Add("uAmbientColor", 3, kAmbientColor);
    lighting.Add("uMaterialSpecularColor", 4, kSpecularColor);
    lighting.Add("uMaterialShininess", 80.0f);
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
    const FrameNormals frame = NormalsOf(view);
    uint32_t written = 0;
    for (const KeyedIndex& entry : nearness) {
        WriteInstance(boxes[entry.index], frame, &instanceData[static_cast<size_t>(written) * kBoxInstanceSize]);
        ++written;
    }
    return written;
}

// The boxes are opaque, so their order does not change the picture; nearest
// first lets the depth test reject hidden fragments before they are shaded,
// which on a software rasteriser decides whether a dense view fits a frame.
void BoxArray::SortNearestFirst(const Matrix4& view) {
    nearness.clear();
    for (uint32_t index = 0; index < boxes.size(); ++index) {
        if (!boxes[index].active)
            continue;
        const Vector3& p = boxes[index].position;
        const float viewZ = view.m[2] * p.x + view.m[6] * p.y + view.m[10] * p.z;  // larger is nearer
        nearness.push_back({NearestFirstKey(viewZ), index});
    }
    RadixSortByKey(nearness, sortScratch);
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
    FrameMarks::Mark(FrameMarks::Point::BuildBegin);
    uint32_t count = BuildInstances(camera->view);
    if (count > 0)
        instanceVertices->UpdateRange(instanceData.data(), 0, count);
    FrameMarks::Mark(FrameMarks::Point::BuildEnd);
    if (count == 0)
        return;
    display->SetDepthTest(true);
    display->SetCulling(true);
    display->SetBlending(false);
    display->DrawIndexedInstanced(indices.get(), PRIMITIVE_QUADS, kCubeVertexCount, count);
}

void BoxArray::SetUniforms(const Camera& camera) {
    ShaderProgram* shader = program.As<ShaderProgram>();
    shader->SetMatrix4("uProjectionMatrix", camera.projection.m);
    shader->SetMatrix4("uViewMatrix", camera.view.m);
    lighting.ApplyTo(*shader);
    shader->Use();
}

void BoxArray::BindLayouts(Display* display) {
    uint32_t next = display->BindVertexLayout(cubeVertices.get(), cubeLayout, 0, 0);
    next = display->BindVertexLayout(instanceVertices.get(), instanceLayout, next, 1);
    display->DisableVertexAttributesFrom(next);
}
