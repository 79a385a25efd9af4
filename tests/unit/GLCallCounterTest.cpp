#include "engine/render/GLCallCounter.h"

#include "FakeGL.h"

#include <gtest/gtest.h>

namespace {

TEST(GLCallCounter, CountsEveryCallAndPassesItOnWithItsResult) {
    FakeGLScope fake;
    GLCallCounter counter;
    gl.glEnable(0x0B71);
    gl.glClear(0x4000);
    GLuint buffer = 0;
    gl.glGenBuffers(1, &buffer);
    (void)gl.glGetError();
    EXPECT_EQ(counter.GetCount(), 4u);
    EXPECT_EQ(fakeGL.Count("glEnable(0xb71)"), 1);
    EXPECT_EQ(fakeGL.Count("glClear(0x4000)"), 1);
    EXPECT_EQ(buffer, 1u) << "the real entry's output reaches the caller";
    counter.Reset();
    EXPECT_EQ(counter.GetCount(), 0u);
}

TEST(GLCallCounter, TellsTheDrawsAmongTheCalls) {
    FakeGLScope fake;
    GLCallCounter counter;
    gl.glDrawElements(0x0004, 6, 0x1403, nullptr);
    gl.glDrawElementsInstanced(0x0004, 36, 0x1403, nullptr, 2500);
    gl.glDrawElementsInstancedBaseVertex(0x0004, 36, 0x1403, nullptr, 4, 0);
    gl.glUseProgram(3);
    EXPECT_EQ(counter.GetCount(), 4u);
    EXPECT_EQ(counter.GetDrawCount(), 3u);
    counter.Reset();
    EXPECT_EQ(counter.GetDrawCount(), 0u);
}

TEST(GLCallCounter, GivesTheTableBackAndLeavesMissingEntriesMissing) {
    FakeGLScope fake;
    gl.glDrawBuffers = nullptr;
    const GLFunctions before = gl;
    {
        GLCallCounter counter;
        EXPECT_NE(gl.glEnable, before.glEnable);
        EXPECT_EQ(gl.glDrawBuffers, nullptr) << "an entry the context lacks must stay detectable";
    }
    EXPECT_EQ(gl.glEnable, before.glEnable);
    EXPECT_EQ(gl.glClear, before.glClear);
    gl.glEnable(0x0B71);
    EXPECT_EQ(fakeGL.Count("glEnable(0xb71)"), 1);
}

}
