// The render device's cache leaves no call that sets a value already
// current, in any scene of the show, its glow and final pass included:
// a few frames at each moment of the golden frames, counted call by call.
// Needs a display.
#include "engine/core/EntryPoint.h"
#include "engine/render/GLCallCounter.h"
#include "tools/capture/CaptureStats.h"
#include "tools/capture/tests/ShowInWindow.h"

#include <gtest/gtest.h>

namespace {

constexpr double kStep = 1.0 / 60.0;
constexpr int kFramesEach = 3;
const double kMoments[] = {1.5, 8.6, 11.3, 17.9, 21.85, 30.0, 48.0, 60.0, 66.8, 80.0, 129.5, 146.0, 149.5};

}

TEST(RedundantState, NoSceneSetsAValueAlreadyCurrent) {
    if (!HasDisplay())
        GTEST_SKIP() << "needs a display";
    AppSettings settings;
    CaptureDemo demo;
    ASSERT_TRUE(StartShowInWindow(demo, settings, 160, 120));
    {
        GLCallCounter counter;
        for (double moment : kMoments) {
            demo.SetShowTime(moment);
            demo.RewindTo(moment, kStep);
            for (int frame = 0; frame < kFramesEach; ++frame) {
                const double time = moment + frame * kStep;
                counter.Reset();
                ASSERT_TRUE(DrawFrameAt(demo, time)) << time;
                EXPECT_EQ(counter.GetRedundantCount(), 0u) << SceneNameAt(time) << " at " << time << " s";
                EXPECT_GT(counter.GetDrawCount(), 0u) << time;
            }
        }
    }
    ShutdownApplication(demo);
}
