// The Demo through the engine's whole lifecycle, on a real window; needs a
// display (a virtual X server will do). Without one every test is skipped.
#include "demo/Demo.h"
#include "demo/DemoContext.h"
#include "demo/RunDemo.h"
#include "demo/show/Scene.h"
#include "engine/core/AppSettings.h"
#include "engine/core/PrecalcProgress.h"
#include "tests/gl/GLTestBed.h"
#include "tests/unit/TemporaryDirectory.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

namespace {

class FailingPrecalcScene : public Scene {
public:
    int32_t PrecalcWorkUnits() override { return 1; }
    bool Precalc(PrecalcProgress* /*progress*/) override { return false; }
    void Render() override { ++renders; }
    static int renders;
};

int FailingPrecalcScene::renders = 0;

AppSettings SilentWindow() {
    AppSettings settings;
    settings.fullscreen = false;
    settings.width = 320;
    settings.height = 240;
    settings.vsync = false;
    settings.music = false;
    settings.usePak = false;
    return settings;
}

}

TEST(DemoLifecycleTest, FailedPrecalcEndsTheShowUnplayedWithExitCodeOne) {
    if (!HaveDisplay())
        GTEST_SKIP() << "no display";
    WorkingDirectoryScope workingDirectory{ZP_SOURCE_DIR};
    AppSettings settings = SilentWindow();
    Demo demo([](SceneId) { return std::unique_ptr<Scene>(new FailingPrecalcScene); });

    EXPECT_EQ(RunDemo(demo, settings), 1);
    EXPECT_TRUE(demo.PrecalcFailed());
    EXPECT_EQ(FailingPrecalcScene::renders, 0);
    EXPECT_EQ(demo.GetState(), DemoState::ShutDown);
    EXPECT_EQ(GetDemoContext(), nullptr);
    EXPECT_EQ(demo.GetTime().time, 0.0);
}
