#include "demo/scenes/MeshLightScene.h"

#include "demo/scenes/Camera.h"
#include "demo/scenes/GlowPass.h"
#include "demo/scenes/MeshBuffers.h"
#include "demo/scenes/NormalMatrix.h"
#include "demo/scenes/SceneServices.h"
#include "demo/show/Tempo.h"
#include "engine/core/Engine.h"
#include "engine/core/Matrix4.h"
#include "engine/core/Message.h"
#include "engine/core/PrecalcProgress.h"
#include "engine/files/Mesh.h"
#include "engine/files/MeshLoader.h"
#include "engine/render/Display.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/ShaderProgram.h"
#include "engine/render/ShaderProgramManager.h"
#include "engine/render/VertexBuffer.h"
#include "engine/render/VertexLayout.h"

#include <cmath>

namespace {

const char kMeshPath[] = "data/objects/spiky_fat.mesh";
const float kCameraEye[3] = {10.0f, 0.0f, 6.5f};
const float kCameraTarget[3] = {0.0f, 0.0f, 0.0f};

bool RefuseMesh(const Mesh& mesh, const char* reason) {
    Message(LOG_ERROR, "Cannot draw mesh '%s': %s.", mesh.name.c_str(), reason);
    return false;
}

bool IndicesInRange(const Mesh& mesh) {
    size_t count = mesh.positions.size();
    for (const Triangle& triangle : mesh.triangles) {
        if (triangle.a >= count || triangle.b >= count || triangle.c >= count)
            return false;
    }
    return true;
}

void BindAttribute(Display* display, uint32_t index, VertexBuffer* buffer) {
    display->SetVertexAttribute(index, buffer, 3, ATTRIBUTE_FLOAT, false, 12, 0);
    display->SetVertexAttributeDivisor(index, 0);
    display->EnableVertexAttribute(index);
}

}

MeshLightScene::MeshLightScene() = default;

MeshLightScene::~MeshLightScene() = default;

bool MeshLightScene::Init() {
    camera = std::make_unique<Camera>();
    camera->SetPerspective(45.0f, SceneDisplayAspect(), 0.1f, 1000.0f);
    Engine* engine = GetEngine();
    ShaderProgramManager* programs = engine ? engine->GetShaderProgramManager() : nullptr;
    if (!programs || !programs->Load("data/shaders/mesh_light.vs", "data/shaders/mesh_light.fs", program))
        return false;
    BindTracks();
    displacement.ApplyTo(uniforms);
    AddBeatFlashes();
    return true;
}

void MeshLightScene::BindTracks() {
    static const float kMovementSpeed[2] = {1.0f, 1.0f};
    static const float kDensity[2] = {10.0f, 10.0f};
    static const float kLightPosition[3] = {-20.0f, 80.0f, 50.0f};
    static const float kLightColor[3] = {0.6f, 0.9f, 0.9f};
    static const float kAmbientColor[3] = {0.0f, 0.0f, 0.0f};
    static const float kDiffuseColor[4] = {0.5f, 0.5f, 0.5f, 1.0f};
    static const float kSpecularColor[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    const SceneTracks tracks("meshlight");
    displacement = SyncedUniforms();
    displacement.Add("uMovementSpeed", 2, kMovementSpeed);
    displacement.Add("uDensity", 2, kDensity);
    displacement.Add("uDisplacementAmount", 0.05f);
    displacement.Bind(tracks);
    lighting = SyncedUniforms();
    lightPositionSlot = lighting.Add("uLightPosition", 3, kLightPosition);
    lighting.Add("uLightColor", 3, kLightColor);
    lighting.Add("uAmbientColor", 3, kAmbientColor);
    diffuseSlot = lighting.Add("uMaterialDiffuseColor", 4, kDiffuseColor, "grey, flashing on the beat");
    lighting.Add("uMaterialSpecularColor", 4, kSpecularColor);
    lighting.Add("uMaterialShininess", 80.0f);
    lighting.Bind(tracks);
    // One statement each: the list of tracks keeps this order.
    const SyncVector<3> eye = tracks.Vector<3>("camera.eye", kCameraEye);
    const SyncVector<3> target = tracks.Vector<3>("camera.target", kCameraTarget);
    cameraTracks = CameraTracks(tracks, eye, target, 45.0f);
    blurSize = tracks.Value("uBlurSize", GlowPass::kBlurSize);
}

void MeshLightScene::AddBeatFlashes() {
    const Tempo& tempo = SceneTempo();
    const double p = tempo.patternLength;
    const double s = tempo.sixteenthLength;
    const struct {
        double start;
        double duration;
    } kFlashes[] = {{3 * p, 0.5},          {4 * p, 0.5},          {4 * p + 8 * s, 0.05}, {4 * p + 10 * s, 0.05},
                    {5 * p, 0.5},          {5 * p + 4 * s, 0.05}, {5 * p + 8 * s, 0.05}, {5 * p + 10 * s, 0.05},
                    {6 * p, 0.5},          {7 * p, 0.5}};
    envelope = std::make_unique<EnvelopeTrack>();
    for (const auto& event : kFlashes)
        envelope->Add(EnvelopeKind::FlashOut, event.start, event.start + event.duration);
}

bool MeshLightScene::Precalc(PrecalcProgress* progress) {
    progress->SetStatus("Loading mesh data...");
    mesh.reset(LoadMesh(kMeshPath));
    if (!mesh) {
        Message(LOG_ERROR, "Cannot load mesh from file '%s'.", kMeshPath);
        return false;
    }
    if (!IsDrawable(*mesh)) {
        mesh.reset();
        return false;
    }
    progress->Step();
    progress->SetStatus("Loading texture...");
    progress->Step();
    return true;
}

bool MeshLightScene::IsDrawable(const Mesh& mesh) {
    if (mesh.positions.empty())
        return RefuseMesh(mesh, "it has no positions");
    if (mesh.triangles.empty())
        return RefuseMesh(mesh, "it has no triangles");
    if (!IndicesInRange(mesh))
        return RefuseMesh(mesh, "an index is out of range");
    if (!mesh.normals.empty() && mesh.normals.size() != mesh.positions.size())
        return RefuseMesh(mesh, "its normals do not match its positions");
    return true;
}

bool MeshLightScene::Upload() {
    Display* display = SceneDisplay();
    if (!mesh || !display)
        return false;
    buffers = std::make_unique<MeshBuffers>();
    buffers->vertexCount = static_cast<uint32_t>(mesh->positions.size());
    buffers->triangleCount = static_cast<uint32_t>(mesh->triangles.size());
    buffers->positions.reset(display->CreateVertexBuffer(buffers->vertexCount, 12, false, mesh->positions.data()));
    if (!mesh->normals.empty())
        buffers->normals.reset(display->CreateVertexBuffer(buffers->vertexCount, 12, false, mesh->normals.data()));
    buffers->indices.reset(display->CreateIndexBuffer(buffers->triangleCount * 3, 4, false, mesh->triangles.data()));
    bool normalsMade = mesh->normals.empty() || buffers->normals;
    mesh.reset();
    if (buffers->positions && buffers->indices && normalsMade)
        return true;
    buffers.reset();
    return false;
}

void MeshLightScene::Release() {
    buffers.reset();
    mesh.reset();
    Display* display = SceneDisplay();
    if (display && display->GetCamera() == camera.get())
        display->SetCamera(nullptr);
    camera.reset();
    program.Reset();
    envelope.reset();
}

float MeshLightScene::Brightness(double time, double patternLength) {
    if (time < 4.0 * patternLength)
        return static_cast<float>(time / (4.0 * patternLength));
    if (time < 6.0 * patternLength)
        return 1.0f;
    return static_cast<float>(0.3 + 0.7 * (8.0 * patternLength - time) / (2.0 * patternLength));
}

void MeshLightScene::Update(const DemoTime* time) {
    if (!camera || !envelope)
        return;
    float t = static_cast<float>(time->time);
    const Vector3 eye = {kCameraEye[0], kCameraEye[1], kCameraEye[2]};
    const Vector3 target = {kCameraTarget[0], kCameraTarget[1], kCameraTarget[2]};
    cameraTracks.LookAt(*camera, eye, target, {0.0f, 1.0f, 0.0f}, 45.0f);
    displacement.ApplyTo(uniforms);
    position = {2.0f * std::sin(0.3f * t) * std::cos(1.6f * t), 2.0f * std::cos(0.3f * t) * std::cos(1.4f * t),
                2.0f * std::sin(1.2f * t) * std::sin(0.2f * t)};
    scale = 0.01f;
    lightPosition = {-20.0f, 80.0f, 50.0f};
    flash = static_cast<float>(envelope->Flash(time->time));
    brightness = Brightness(time->time, SceneTempo().patternLength);
}

void MeshLightScene::Render() {
    Display* display = SceneDisplay();
    if (!display || !camera)
        return;
    float grey = 0.2f * brightness;
    const float background[4] = {grey, grey, grey, 1.0f};
    display->SetClearColor(background);
    GlowPass glow;
    glow.Begin();
    display->Clear(CLEAR_COLOR | CLEAR_DEPTH);
    DrawMesh();
    glow.End(blurSize.Or(GlowPass::kBlurSize));
}

void MeshLightScene::DrawMesh() {
    Display* display = SceneDisplay();
    ShaderProgram* shader = program.As<ShaderProgram>();
    display->SetCamera(camera.get());
    camera->BuildProjection();
    camera->UpdateView();
    if (!shader || !buffers)
        return;
    SetUniforms(*camera);
    BindAttribute(display, 0, buffers->positions.get());
    uint32_t next = 1;
    if (buffers->normals)
        BindAttribute(display, next++, buffers->normals.get());
    display->DisableVertexAttributesFrom(next);
    display->SetDepthTest(true);
    display->SetCulling(true);
    display->SetBlending(false);
    display->DrawIndexed(buffers->indices.get(), PRIMITIVE_TRIANGLES, buffers->triangleCount * 3);
}

void MeshLightScene::SetUniforms(const Camera& view) {
    Matrix4 model = ComposeTransform({scale, scale, scale}, orientation, position);
    Matrix4 modelView = Multiply(view.view, model);
    Matrix4 normalMatrix = NormalMatrix(modelView);
    float diffuse = DiffuseLevel(flash);
    const float diffuseColor[4] = {diffuse, diffuse, diffuse, 1.0f};
    const float light[3] = {lightPosition.x, lightPosition.y, lightPosition.z};
    ShaderProgram* shader = program.As<ShaderProgram>();
    shader->SetMatrix4("uProjectionMatrix", view.projection.m);
    shader->SetMatrix4("uViewMatrix", view.view.m);
    shader->SetMatrix4("uModelMatrix", model.m);
    shader->SetMatrix4("uModelViewMatrix", modelView.m);
    shader->SetMatrix4("uNormalMatrix", normalMatrix.m);
    lighting.SetCode(lightPositionSlot, light);
    lighting.SetCode(diffuseSlot, diffuseColor);
    lighting.ApplyTo(*shader);
    shader->Use();
}
