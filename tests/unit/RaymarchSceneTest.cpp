#include "demo/scenes/RaymarchScene.h"
#include "demo/show/Tempo.h"
#include "tests/unit/SceneTestBed.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const double P = Tempo().patternLength;

float Value(const GeneratorScene& scene, const std::string& name, int index = 0) {
    const UniformValue* value = scene.GetUniforms().Find(name);
    return value ? value->GetValues()[index] : -1.0f;
}

int Kind(const GeneratorScene& scene, const std::string& name) {
    const UniformValue* value = scene.GetUniforms().Find(name);
    return value ? value->GetKind() : 0;
}

void UpdateAt(GeneratorScene& scene, double time) {
    DemoTime now{time, 0.0};
    scene.Update(&now);
}

TEST(CubesSceneTest, ClockRunsSevenSecondsAheadForShaderAndCamera) {
    CubesScene scene;
    UpdateAt(scene, 0.0);
    EXPECT_FLOAT_EQ(Value(scene, "uTime"), 7.0f);
    EXPECT_FLOAT_EQ(Value(scene, "uCameraTime"), 7.0f);

    UpdateAt(scene, 24.0 * P);  // where the time line first shows it
    EXPECT_EQ(Value(scene, "uTime"), static_cast<float>(24.0 * P) + 7.0f);
    EXPECT_EQ(Value(scene, "uCameraTime"), Value(scene, "uTime"));
    ASSERT_EQ(Kind(scene, "uBgColor"), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(Value(scene, "uBgColor", i), 0.0f);
}

TEST(SpheresSceneTest, TimeIsTheDemoTimeInEveryEntry) {
    SpheresScene scene;
    UpdateAt(scene, 8.0 * P);
    EXPECT_EQ(Value(scene, "uTime"), static_cast<float>(8.0 * P));
    UpdateAt(scene, 36.0 * P);  // re-entered: continues, does not restart at 0
    EXPECT_EQ(Value(scene, "uTime"), static_cast<float>(36.0 * P));
    EXPECT_EQ(scene.GetUniforms().Find("uCameraTime"), nullptr);
    EXPECT_EQ(scene.GetUniforms().Find("uBgColor"), nullptr);
}

TEST(GeneratorSceneTest, InitLoadsTheKindsShaderWithTheScreenQuadsVertexShader) {
    SceneTestBed bed;
    CubesScene cubes;
    SpheresScene spheres;
    ASSERT_TRUE(cubes.Init());
    ASSERT_TRUE(spheres.Init());
    EXPECT_TRUE(bed.Logged("Loading shader 'data/shaders/generator/rmgreencubes.fs'...", LOG_SYSTEM));
    EXPECT_TRUE(bed.Logged("Loading shader 'data/shaders/generator/rmgreenspheres.fs'...", LOG_SYSTEM));
    EXPECT_TRUE(bed.Logged("Loading shader 'data/shaders/base/basic2d.vs'...", LOG_SYSTEM));
    EXPECT_EQ(Kind(cubes, "uResolution"), 2);
    cubes.Release();
    spheres.Release();
    cubes.Render();  // released: draws nothing and does not crash
}

TEST(GeneratorSceneTest, InitFailsWithoutTheShaderAndRendersNothing) {
    TemporaryDirectory empty;
    SceneTestBed bed(empty.path);
    SpheresScene scene;
    testing::internal::CaptureStderr();
    EXPECT_FALSE(scene.Init());
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(scene.GetUniforms().Find("uResolution"), nullptr);
    scene.Render();
}

TEST(GeneratorSceneTest, InitFailsWithoutAnEngine) {
    CubesScene scene;
    EXPECT_FALSE(scene.Init());
}

}
