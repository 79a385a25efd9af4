#include "engine/render/GpuFrameTimer.h"
#include "tests/unit/FakeGL.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>

namespace {

// A GPU whose clock the test moves: each stamp is the clock at its query,
// and arrives only once the test lets it.
struct FakeTimerGpu {
    GLuint64 clock = 0;
    bool arrived = true;
    GLuint nextQuery = 1;
    std::map<GLuint, GLuint64> stamps;
    int queries = 0;
};
FakeTimerGpu gpu;

void ZP_GLAPI GenQueries(GLsizei count, GLuint* queries) {
    for (GLsizei i = 0; i < count; ++i)
        queries[i] = gpu.nextQuery++;
}
void ZP_GLAPI DeleteQueries(GLsizei, const GLuint*) {}
void ZP_GLAPI QueryCounter(GLuint query, GLenum) {
    gpu.stamps[query] = gpu.clock;
    ++gpu.queries;
}
void ZP_GLAPI GetQueryObjectiv(GLuint, GLenum, GLint* value) { *value = gpu.arrived ? 1 : 0; }
void ZP_GLAPI GetQueryObjectui64v(GLuint query, GLenum, GLuint64* value) { *value = gpu.stamps[query]; }

void* TimerLoader(const char* name) {
    const std::map<std::string, void*> entries = {
        {"glGenQueries", reinterpret_cast<void*>(&GenQueries)},
        {"glDeleteQueries", reinterpret_cast<void*>(&DeleteQueries)},
        {"glQueryCounter", reinterpret_cast<void*>(&QueryCounter)},
        {"glGetQueryObjectiv", reinterpret_cast<void*>(&GetQueryObjectiv)},
        {"glGetQueryObjectui64v", reinterpret_cast<void*>(&GetQueryObjectui64v)}};
    auto found = entries.find(name);
    return found == entries.end() ? nullptr : found->second;
}

void* NoTimerLoader(const char* name) { return std::strcmp(name, "glQueryCounter") == 0 ? nullptr : TimerLoader(name); }

// One frame: 2 ms of scene, then 1 ms of final pass.
void DrawFrame(GpuFrameTimer& timer) {
    timer.BeginFrame("scene");
    gpu.clock += 2000000;
    timer.Mark("final");
    gpu.clock += 1000000;
    timer.EndFrame();
}

class GpuFrameTimerTest : public ::testing::Test {
protected:
    GpuFrameTimerTest() { gpu = FakeTimerGpu(); }
    FakeGLScope fake;
};

}

TEST_F(GpuFrameTimerTest, WithoutTimerQueriesItStaysSilent) {
    GpuFrameTimer timer;
    EXPECT_FALSE(timer.Init(NoTimerLoader));
    EXPECT_FALSE(HasGLTimerQueries());
    DrawFrame(timer);
    DrawFrame(timer);
    EXPECT_EQ(gpu.queries, 0);
    EXPECT_TRUE(timer.LastFrameSpans().empty());
    EXPECT_EQ(timer.LastFrameMilliseconds(), 0.0);
}

TEST_F(GpuFrameTimerTest, SpansComeBackFramesLaterWithoutWaiting) {
    GpuFrameTimer timer;
    ASSERT_TRUE(timer.Init(TimerLoader));
    for (int frame = 1; frame <= GpuFrameTimer::kFramesLate; ++frame) {
        DrawFrame(timer);
        EXPECT_TRUE(timer.LastFrameSpans().empty()) << "frame " << frame << " read back too soon";
    }
    DrawFrame(timer);
    ASSERT_EQ(timer.LastFrameSpans().size(), 2u);
    EXPECT_EQ(timer.LastFrameSpans()[0].label, "scene");
    EXPECT_DOUBLE_EQ(timer.LastFrameSpans()[0].milliseconds, 2.0);
    EXPECT_EQ(timer.LastFrameSpans()[1].label, "final");
    EXPECT_DOUBLE_EQ(timer.LastFrameMilliseconds(), 3.0);

    // Stamps that have not arrived are dropped, never waited for.
    gpu.arrived = false;
    DrawFrame(timer);
    EXPECT_EQ(timer.DroppedFrames(), 1);
    EXPECT_DOUBLE_EQ(timer.LastFrameMilliseconds(), 3.0);
}

TEST_F(GpuFrameTimerTest, MarksBeyondTheLimitAreDroppedAndTheEndStillStamped) {
    GpuFrameTimer timer;
    ASSERT_TRUE(timer.Init(TimerLoader));
    for (int frame = 0; frame <= GpuFrameTimer::kFramesLate; ++frame) {
        timer.BeginFrame("start");
        for (int mark = 0; mark < 40; ++mark) {
            gpu.clock += 1000000;
            timer.Mark("pass");
        }
        gpu.clock += 1000000;
        timer.EndFrame();
    }
    EXPECT_EQ(timer.LastFrameSpans().size(), static_cast<size_t>(GpuFrameTimer::kMaxMarks));
    EXPECT_DOUBLE_EQ(timer.LastFrameMilliseconds(), 41.0);
}
