#include "engine/render/GLConstants.h"
#include "engine/render/GpuFrameTimer.h"
#include "tests/gl/GLTestBed.h"

// The driver's own timer queries, read back frames later.
class GpuFrameTimerGLTest : public GLTestBed {};

TEST_F(GpuFrameTimerGLTest, TheDriversStampsMeasureEachMarkedSpan) {
    OpenDisplay(64, 64);
    if (IsSkipped() || HasFatalFailure())
        return;
    {
        GpuFrameTimer timer;
        ASSERT_TRUE(timer.Init()) << "this driver has timer queries";
        for (int frame = 0; frame < GpuFrameTimer::kFramesLate + 1; ++frame) {
            timer.BeginFrame("clear");
            gl.glClear(GL_COLOR_BUFFER_BIT);
            timer.Mark("finish");
            gl.glFinish();
            timer.EndFrame();
        }
        ASSERT_EQ(timer.LastFrameSpans().size(), 2u);
        EXPECT_EQ(timer.LastFrameSpans()[0].label, "clear");
        EXPECT_GE(timer.LastFrameSpans()[0].milliseconds, 0.0);
        EXPECT_GE(timer.LastFrameMilliseconds(), timer.LastFrameSpans()[0].milliseconds);
        EXPECT_LT(timer.LastFrameMilliseconds(), 1000.0);
        EXPECT_EQ(gl.glGetError(), 0u);
    }
    CloseDisplay();
}
