#include "demo/scenes/Box.h"
#include "demo/scenes/BoxArray.h"
#include "demo/scenes/BoxGridScene.h"
#include "demo/scenes/Camera.h"
#include "demo/show/Tempo.h"
#include "engine/core/CrtRandom.h"
#include "tests/unit/SceneTestBed.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace {

const double P = Tempo().patternLength;

TEST(BoxGridPulseRateTest, VariantTwoRunsDownLinearlyToNoneBeforeTheEnd) {
    EXPECT_EQ(BoxGridScene::PulseRate(1, 200.0, P), 1050);
    EXPECT_EQ(BoxGridScene::PulseRate(2, 50.0 * P, P), 1050);  // clamped before the ramp
    EXPECT_EQ(BoxGridScene::PulseRate(2, 52.0 * P, P), 1050);
    double middle = 52.0 * P + (2.0 * P - 0.75) / 2.0;
    EXPECT_EQ(BoxGridScene::PulseRate(2, middle, P), 525);
    EXPECT_EQ(BoxGridScene::PulseRate(2, 54.0 * P - 0.75, P), 0);
    EXPECT_EQ(BoxGridScene::PulseRate(2, 54.0 * P, P), 0);
}

class BoxGridSceneTest : public ::testing::Test {
protected:
    void SetUp() override {
        Srand(12345);
        ASSERT_TRUE(scene.Init());
        ASSERT_TRUE(scene.Precalc(&progress));
    }
    void Begin(int32_t variant, double time) {
        scene.SetVariant(variant);
        now = {time, 0.0};
        scene.Begin(variant, &now);
    }
    void At(double time) {
        now.delta = time - now.time;
        now.time = time;
        scene.Update(&now);
    }
    int Lit() const {
        int lit = 0;
        for (float intensity : scene.GetIntensities())
            lit += intensity > 0.0f;
        return lit;
    }
    const Box& BoxAt(uint32_t row, uint32_t column) const {
        return scene.GetBoxArray()->GetBoxes()[BoxGridScene::kGridSize * row + column];
    }

    SceneTestBed bed;
    BoxGridScene scene;
    RecordingProgress progress;
    DemoTime now;
};

TEST_F(BoxGridSceneTest, PrecalcLaysTheGridOutGreyAroundTheOrigin) {
    EXPECT_EQ(progress.steps, 1);
    EXPECT_EQ(progress.statuses, std::vector<std::string>{"Initializing box grid..."});
    EXPECT_FLOAT_EQ(BoxAt(0, 0).position.x, -24.5f);
    EXPECT_FLOAT_EQ(BoxAt(0, 0).position.z, -24.5f);
    EXPECT_FLOAT_EQ(BoxAt(3, 49).position.x, 24.5f);
    EXPECT_FLOAT_EQ(BoxAt(3, 49).position.z, -21.5f);
    EXPECT_EQ(BoxAt(7, 7).active, 1);
    EXPECT_FLOAT_EQ(BoxAt(7, 7).color[0], 0.5f);
    EXPECT_EQ(Lit(), 0);
}

TEST_F(BoxGridSceneTest, FirstBeginHasASecondOfPulsesDueAndTheRemainderCarries) {
    Begin(1, 100.0);
    EXPECT_DOUBLE_EQ(scene.GetLastPulseTime(), 99.0);
    At(100.0);
    EXPECT_NEAR(scene.GetLastPulseTime(), 100.0, 1e-9);
    EXPECT_GT(Lit(), 600);  // 1050 picks, some of them the same box
    EXPECT_LE(Lit(), 1050);

    const double interval = 1.0 / 1050;
    At(100.0 + 0.6 * interval);  // less than an interval: nothing, and the time stays
    EXPECT_NEAR(scene.GetLastPulseTime(), 100.0, 1e-9);
    At(100.0 + 1.5 * interval);
    EXPECT_NEAR(scene.GetLastPulseTime(), 100.0 + interval, 1e-9);

    Begin(0, 200.0);  // a later entry starts without the burst
    EXPECT_DOUBLE_EQ(scene.GetLastPulseTime(), 200.0);
}

TEST_F(BoxGridSceneTest, PulsesFadeToTheRestingGreyAndNoneStartAtTheEndOfVariantTwo) {
    Begin(1, 100.0);
    At(100.0);
    const int lit = Lit();
    size_t pulsed = 0;
    while (scene.GetIntensities()[pulsed] <= 0.0f)
        ++pulsed;
    size_t resting = 0;
    while (scene.GetIntensities()[resting] > 0.0f)
        ++resting;

    scene.SetVariant(2);
    now = {54.0 * P - 0.75, 0.3};
    scene.Update(&now);
    EXPECT_EQ(Lit(), lit);  // the rate has run down to 0
    EXPECT_FLOAT_EQ(scene.GetIntensities()[pulsed], 0.7f);
    EXPECT_FLOAT_EQ(scene.GetBoxArray()->GetBoxes()[pulsed].color[1], 0.7f);
    now = {54.0 * P - 0.45, 0.3};
    scene.Update(&now);
    EXPECT_FLOAT_EQ(scene.GetIntensities()[pulsed], 0.5f);  // never below the grey
    EXPECT_FLOAT_EQ(scene.GetIntensities()[resting], 0.0f);  // never pulsed: untouched
    EXPECT_FLOAT_EQ(scene.GetBoxArray()->GetBoxes()[resting].color[0], 0.5f);
}

TEST_F(BoxGridSceneTest, VariantZeroIsVariantThreeTenSecondsOn) {
    Begin(0, 60.0);
    At(60.0);
    const Box column = BoxAt(12, 31);
    const Vector3 eye = scene.GetCamera()->position;
    scene.SetVariant(3);
    now = {70.0, 0.0};
    scene.Update(&now);
    EXPECT_FLOAT_EQ(BoxAt(12, 31).size.y, column.size.y);
    EXPECT_FLOAT_EQ(BoxAt(12, 31).position.y, column.size.y / 2.0f);  // stands on the ground
    EXPECT_FLOAT_EQ(scene.GetCamera()->position.x, eye.x);
    EXPECT_FLOAT_EQ(std::hypot(eye.x, eye.z), 25.0f);
    EXPECT_FLOAT_EQ(eye.y, 8.5f);
}

TEST_F(BoxGridSceneTest, FloorVariantsRippleThinTilesUnderAWiderOrbit) {
    Begin(1, 50.0);
    At(50.0);
    float t = 50.0f;
    float a = 2.0f * t + 0.6f * 9.0f / 3.1415927f;
    float b = t + 0.6f * 4.0f / 3.1415927f;
    EXPECT_FLOAT_EQ(BoxAt(4, 9).size.y, 0.1f);
    EXPECT_FLOAT_EQ(BoxAt(4, 9).size.x, 0.8f + 0.2f * std::sin(a));
    EXPECT_NEAR(BoxAt(4, 9).position.y, 2.0f * std::sin(a) * std::cos(b), 1e-5);
    const Vector3& eye = scene.GetCamera()->position;
    EXPECT_FLOAT_EQ(std::hypot(eye.x, eye.z), 30.0f);
    EXPECT_FLOAT_EQ(eye.y, 10.0f);
}

TEST_F(BoxGridSceneTest, InstanceRecordCarriesModelNormalMatrixAndPackedColour) {
    Begin(3, 10.0);
    At(10.0);
    BoxArray& boxes = const_cast<BoxArray&>(*scene.GetBoxArray());
    for (Box& box : boxes.GetBoxes())
        box.active = 0;
    boxes.GetBoxes()[0].active = 1;  // inactive boxes are left out
    ASSERT_EQ(boxes.BuildInstances(kIdentityMatrix), 1u);
    const Box& first = boxes.GetBoxes()[0];
    float record[32];
    std::memcpy(record, boxes.GetInstanceData().data(), sizeof record);
    EXPECT_FLOAT_EQ(record[0], 0.5f * first.size.x);  // the unit cube spans 2
    EXPECT_FLOAT_EQ(record[5], 0.5f * first.size.y);
    EXPECT_FLOAT_EQ(record[12], first.position.x);
    EXPECT_FLOAT_EQ(record[13], first.position.y);
    EXPECT_NEAR(record[16 + 5], 1.0f / (0.5f * first.size.y), 1e-4);  // inverse transposed
    const uint8_t* color = boxes.GetInstanceData().data() + 128;
    EXPECT_EQ(color[0], static_cast<uint8_t>(first.color[0] * 255.0f));
    EXPECT_EQ(color[3], 255);
}

// Under a camera that is turned and moved, every record's normal matrix is the
// transposed inverse of view times model, whether the box is turned or not.
TEST_F(BoxGridSceneTest, NormalMatrixIsTheTransposedInverseOfTheModelView) {
    Begin(3, 10.0);
    At(10.0);
    BoxArray& boxes = const_cast<BoxArray&>(*scene.GetBoxArray());
    for (Box& box : boxes.GetBoxes())
        box.active = 0;
    Box& unturned = boxes.GetBoxes()[0];
    Box& turned = boxes.GetBoxes()[1];
    unturned = {1, {1.5f, -2.0f, 3.0f}, kIdentityQuaternion, {0.8f, 2.5f, 1.2f}, {1, 1, 1, 1}};
    turned = unturned;
    turned.position = {-4.0f, 1.0f, 0.5f};
    turned.orientation = {0.0f, 0.38268343f, 0.0f, 0.92387953f};  // 45 degrees about y
    const Matrix4 view = LookAt({12.0f, 7.0f, -9.0f}, {0.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f});
    ASSERT_EQ(boxes.BuildInstances(view), 2u);
    for (uint32_t k = 0; k < 2; ++k) {
        float record[32];
        std::memcpy(record, boxes.GetInstanceData().data() + k * kBoxInstanceSize, sizeof record);
        const Box& box = record[12] == unturned.position.x ? unturned : turned;
        const Vector3 half = {0.5f * box.size.x, 0.5f * box.size.y, 0.5f * box.size.z};
        const Matrix4 inverse = Inverse(Multiply(view, ComposeTransform(half, box.orientation, box.position)));
        for (int column = 0; column < 4; ++column)
            for (int row = 0; row < 4; ++row)
                EXPECT_NEAR(record[16 + column * 4 + row], inverse.m[row * 4 + column], 1e-4)
                    << "box " << k << ", column " << column << ", row " << row;
    }
}

TEST_F(BoxGridSceneTest, InstancesAreWrittenNearestFirst) {
    Begin(1, 10.0);
    At(10.0);
    BoxArray& boxes = const_cast<BoxArray&>(*scene.GetBoxArray());
    ASSERT_EQ(boxes.BuildInstances(kIdentityMatrix), 2500u);  // the eye looks down -z: larger z is nearer
    float previous = 1e9f;
    for (size_t k = 0; k < 2500; ++k) {
        float z;
        std::memcpy(&z, boxes.GetInstanceData().data() + k * kBoxInstanceSize + 14 * 4, sizeof z);
        ASSERT_LE(z, previous) << k;
        previous = z;
    }
}

TEST_F(BoxGridSceneTest, RenderDrawsEveryBoxInOneInstancedCall) {
    Begin(1, 50.0);
    At(50.0);
    fakeGL.calls.clear();
    scene.Render();
    EXPECT_EQ(fakeGL.CountPrefix("glDrawElementsInstanced(0x7,24,0x1403,2500)"), 1);
    EXPECT_EQ(fakeGL.Count("glVertexAttribDivisor(2,1)"), 1);
    EXPECT_EQ(fakeGL.Count("glVertexAttribPointer(10,4,0x1401,1,132,128)"), 1);
}

}
