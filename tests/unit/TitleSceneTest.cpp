#include "demo/scenes/TitleScene.h"
#include "demo/show/Tempo.h"
#include "tests/unit/SceneTestBed.h"

#include <gtest/gtest.h>

namespace {

const double P = Tempo().patternLength;

class TitleSceneTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(scene.Init()); }
    void At(double time) {
        DemoTime now;
        now.time = time;
        scene.Update(&now);
    }
    void LoadCards() {
        ASSERT_TRUE(scene.Precalc(&progress));
        ASSERT_TRUE(scene.Upload());
    }
    int Draws() const { return fakeGL.CountPrefix("glDrawElements"); }

    SceneTestBed bed;
    TitleScene scene;
    RecordingProgress progress;
};

TEST_F(TitleSceneTest, CardFadesFollowTheirWindowsAndFactors) {
    At(3.65 * P);
    EXPECT_TRUE(scene.GetCard(TitleScene::kPresentsCard).active);
    EXPECT_NEAR(scene.CardFade(TitleScene::kPresentsCard), 0.3, 1e-5);
    EXPECT_TRUE(scene.GetCard(TitleScene::kEventCard).active);
    EXPECT_FALSE(scene.GetCard(TitleScene::kTitleCard).active);

    At(4.0 * P);  // the presents window ends where the title's begins
    EXPECT_FALSE(scene.GetCard(TitleScene::kPresentsCard).active);
    EXPECT_TRUE(scene.GetCard(TitleScene::kTitleCard).active);
    EXPECT_NEAR(scene.CardFade(TitleScene::kTitleCard), 0.0, 1e-6);

    At(6.5 * P);  // between the title's ramps: full, times its factor
    EXPECT_NEAR(scene.CardFade(TitleScene::kTitleCard), 0.9, 1e-6);
    At(7.4 * P);
    EXPECT_NEAR(scene.CardFade(TitleScene::kTitleCard), 0.45, 1e-5);
}

TEST_F(TitleSceneTest, LoadsThreeCardsAndDrawsOnlyTheActiveOnesAdditively) {
    LoadCards();
    EXPECT_EQ(progress.steps, scene.PrecalcWorkUnits());
    EXPECT_EQ(progress.statuses, std::vector<std::string>{"Loading textures..."});

    At(2.5 * P);  // presents and event overlap
    fakeGL.calls.clear();
    scene.Render();
    EXPECT_EQ(Draws(), 2);
    EXPECT_EQ(fakeGL.Count("glBlendFunc(0x302,0x1)"), 1);
    EXPECT_EQ(fakeGL.Count("glDisable(0xbe2)"), 1);  // blending off again

    At(7.9 * P);  // the title's window has ended: nothing to draw, no state touched
    fakeGL.calls.clear();
    scene.Render();
    EXPECT_TRUE(fakeGL.calls.empty());
}

// Hands out a texture name for the first card only.
int texturesLeft = 0;
void ZP_GLAPI GenTexturesUntilExhausted(GLsizei count, GLuint* names) {
    for (GLsizei i = 0; i < count; ++i)
        names[i] = texturesLeft-- > 0 ? fakeGL.nextName++ : 0;
}

TEST_F(TitleSceneTest, CardWithoutTextureIsNeverDrawn) {
    ASSERT_TRUE(scene.Precalc(&progress));
    texturesLeft = 1;
    gl.glGenTextures = GenTexturesUntilExhausted;
    EXPECT_FALSE(scene.Upload());
    EXPECT_TRUE(scene.GetCard(TitleScene::kTitleCard).texture);
    EXPECT_FALSE(scene.GetCard(TitleScene::kPresentsCard).texture);
    EXPECT_FALSE(scene.GetCard(TitleScene::kEventCard).texture);

    At(2.5 * P);  // only the cards without texture are active
    fakeGL.calls.clear();
    scene.Render();
    EXPECT_TRUE(fakeGL.calls.empty());
    At(4.5 * P);  // the title and the event card: only the title is drawn
    scene.Render();
    EXPECT_EQ(Draws(), 1);
}

TEST(TitleScenePrecalcTest, MissingImageIsReportedAndFailsThePrecalc) {
    TemporaryDirectory empty;
    SceneTestBed bed(empty.path);
    TitleScene scene;
    scene.Init();  // its shader is missing too; only Precalc matters here
    RecordingProgress progress;
    EXPECT_FALSE(scene.Precalc(&progress));
    EXPECT_EQ(progress.steps, 0);
    EXPECT_TRUE(bed.Logged("Cannot load image from file 'data/textures/lumenweaver.tga'.", LOG_ERROR));
}

}
