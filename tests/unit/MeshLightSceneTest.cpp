#include "demo/scenes/MeshBuffers.h"
#include "demo/scenes/MeshLightScene.h"
#include "demo/show/Tempo.h"
#include "engine/files/Mesh.h"
#include "tests/unit/SceneTestBed.h"

#include <gtest/gtest.h>

namespace {

const Tempo kTempo;
const double P = kTempo.patternLength;
const double S = kTempo.sixteenthLength;

TEST(MeshLightBrightnessTest, RisesOverFourPatternsHoldsThenFallsTowardsThreeTenths) {
    EXPECT_FLOAT_EQ(MeshLightScene::Brightness(0.0, P), 0.0f);
    EXPECT_FLOAT_EQ(MeshLightScene::Brightness(2.0 * P, P), 0.5f);
    EXPECT_FLOAT_EQ(MeshLightScene::Brightness(4.0 * P, P), 1.0f);
    EXPECT_FLOAT_EQ(MeshLightScene::Brightness(6.0 * P - 1e-9, P), 1.0f);
    EXPECT_FLOAT_EQ(MeshLightScene::Brightness(7.0 * P, P), 0.65f);
    EXPECT_NEAR(0.2f * MeshLightScene::Brightness(8.0 * P - 1e-6, P), 0.06f, 1e-6);
}

Mesh TriangleMesh() {
    Mesh mesh;
    mesh.name = "data/objects/test.mesh";
    mesh.positions.resize(3);
    mesh.triangles.push_back({0, 1, 2});
    return mesh;
}

TEST(MeshLightDrawableTest, RefusesMeshesTheDrawWouldReadPast) {
    TestEngine engine;
    Mesh plain = TriangleMesh();
    EXPECT_TRUE(MeshLightScene::IsDrawable(plain));  // no normals is fine
    plain.normals.resize(3);
    EXPECT_TRUE(MeshLightScene::IsDrawable(plain));
    EXPECT_TRUE(engine.sink.lines.empty());

    Mesh empty;
    EXPECT_FALSE(MeshLightScene::IsDrawable(empty));
    Mesh noTriangles = TriangleMesh();
    noTriangles.triangles.clear();
    EXPECT_FALSE(MeshLightScene::IsDrawable(noTriangles));
    Mesh outOfRange = TriangleMesh();
    outOfRange.triangles.push_back({1, 2, 3});  // 3 equals the position count
    EXPECT_FALSE(MeshLightScene::IsDrawable(outOfRange));
    Mesh fewNormals = TriangleMesh();
    fewNormals.normals.resize(2);
    EXPECT_FALSE(MeshLightScene::IsDrawable(fewNormals));

    ASSERT_EQ(engine.sink.levels.size(), 4u);
    for (LogLevel level : engine.sink.levels)
        EXPECT_EQ(level, LOG_ERROR);
    EXPECT_EQ(engine.sink.Texts()[2], "Cannot draw mesh 'data/objects/test.mesh': an index is out of range.");
}

class MeshLightSceneTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(scene.Init()); }
    float DiffuseAt(double time) {
        DemoTime now;
        now.time = time;
        scene.Update(&now);
        return MeshLightScene::DiffuseLevel(scene.GetFlash());
    }

    SceneTestBed bed;
    MeshLightScene scene;
};

TEST_F(MeshLightSceneTest, DiffuseFlashesOnItsOwnBeats) {
    EXPECT_FLOAT_EQ(DiffuseAt(3.0 * P - 0.01), 0.5f);
    EXPECT_FLOAT_EQ(DiffuseAt(3.0 * P), 0.85f);
    EXPECT_NEAR(DiffuseAt(3.0 * P + 0.25), 0.675f, 1e-5);
    EXPECT_FLOAT_EQ(DiffuseAt(3.0 * P + 0.5), 0.5f);
    EXPECT_NEAR(DiffuseAt(4.0 * P + 8.0 * S + 0.025), 0.675f, 1e-5);  // a short sixteenth flash
    // Inside the decay of the pattern's flash the short one adds to it.
    float overlapping = static_cast<float>(1.0 - (4.0 * S + 0.025) / 0.5 + 0.5);
    EXPECT_NEAR(DiffuseAt(5.0 * P + 4.0 * S + 0.025), MeshLightScene::DiffuseLevel(overlapping), 1e-5);
    EXPECT_FLOAT_EQ(DiffuseAt(7.5 * P), 0.5f);
    EXPECT_FLOAT_EQ(scene.GetBrightness(), 0.475f);
}

TEST_F(MeshLightSceneTest, LoadsTheMeshInTwoStepsAndUploadsItsBuffers) {
    RecordingProgress progress;
    ASSERT_TRUE(scene.Precalc(&progress));
    EXPECT_EQ(progress.steps, scene.PrecalcWorkUnits());
    EXPECT_EQ(progress.statuses, (std::vector<std::string>{"Loading mesh data...", "Loading texture..."}));
    ASSERT_TRUE(scene.Upload());
    const MeshBuffers* buffers = scene.GetMeshBuffers();
    ASSERT_NE(buffers, nullptr);
    EXPECT_GT(buffers->vertexCount, 0u);
    EXPECT_GT(buffers->triangleCount, 0u);
    EXPECT_TRUE(buffers->normals);

    DemoTime now;
    now.time = 1.0;
    scene.Update(&now);
    fakeGL.calls.clear();
    scene.Render();
    std::string draw = "glDrawElements(0x4," + std::to_string(3 * buffers->triangleCount) + ",0x1405)";
    EXPECT_EQ(fakeGL.Count(draw), 1);
}

TEST(MeshLightPrecalcTest, MissingMeshIsReportedAndFailsThePrecalc) {
    TemporaryDirectory empty;
    SceneTestBed bed(empty.path);
    MeshLightScene scene;
    RecordingProgress progress;
    EXPECT_FALSE(scene.Precalc(&progress));
    EXPECT_EQ(progress.steps, 0);
    EXPECT_TRUE(bed.Logged("Cannot load mesh from file 'data/objects/spiky_fat.mesh'.", LOG_ERROR));
    EXPECT_FALSE(scene.Upload());
}

}
