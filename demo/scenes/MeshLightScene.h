#pragma once

#include "demo/scenes/SceneTracks.h"
#include "demo/scenes/SyncedUniforms.h"
#include "demo/show/EnvelopeTrack.h"
#include "demo/show/Scene.h"
#include "engine/core/Quaternion.h"
#include "engine/core/Vector3.h"
#include "engine/render/ResourceHandle.h"
#include "engine/render/UniformSet.h"

#include <memory>

class Camera;
struct Mesh;
struct MeshBuffers;

// The opening scene: one lit mesh drifting in front of a fixed camera under a
// single point light; the background brightens and darkens with the patterns
// and the mesh's diffuse colour flashes on the beat.
class MeshLightScene : public Scene {
public:
    MeshLightScene();
    ~MeshLightScene() override;

    bool Init() override;
    int32_t PrecalcWorkUnits() override { return 2; }
    bool Precalc(PrecalcProgress* progress) override;
    bool Upload() override;
    void Release() override;
    void Update(const DemoTime* time) override;
    void Render() override;

    // False, with an ERROR line, for a mesh the draw would read past: no
    // positions or triangles, an index out of range, or normals that do not
    // pair with the positions.
    static bool IsDrawable(const Mesh& mesh);
    // The background's brightness over the entry: up over the first four
    // patterns, full for two, then down towards 0.3 at eight.
    static float Brightness(double time, double patternLength);
    // The grey of the mesh's diffuse colour for a flash value.
    static float DiffuseLevel(float flash) { return 0.5f * (1.0f + 0.7f * flash); }

    float GetBrightness() const { return brightness; }
    float GetFlash() const { return flash; }
    const Vector3& GetPosition() const { return position; }
    const MeshBuffers* GetMeshBuffers() const { return buffers.get(); }

private:
    void AddBeatFlashes();
    void BindTracks();
    void SetUniforms(const Camera& view);
    void DrawMesh();

    std::unique_ptr<MeshBuffers> buffers;
    std::unique_ptr<Mesh> mesh;
    ResourceReference program;
    std::unique_ptr<Camera> camera;
    UniformSet uniforms;  // kept for a displacing shader; no draw applies it
    Vector3 position = {0.0f, 0.0f, 0.0f};
    Quaternion orientation = kIdentityQuaternion;
    float scale = 0.01f;
    Vector3 lightPosition = {0.0f, 0.0f, 0.0f};
    std::unique_ptr<EnvelopeTrack> envelope;
    float flash = 0.0f;
    float brightness = 0.0f;
    SyncedUniforms displacement;  // into `uniforms`
    SyncedUniforms lighting;      // to the program
    int lightPositionSlot = 0;
    int diffuseSlot = 0;
    CameraTracks cameraTracks;
    SyncValue blurSize;
};
