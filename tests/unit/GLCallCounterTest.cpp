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

// Cached state: the first setting of a value is a change, setting it again is
// redundant; render targets, viewports, textures and clear values are apart.
TEST(GLCallCounter, TellsStateChangesFromRedundantCallsAndAlwaysIssuedOnes) {
    FakeGLScope fake;
    GLCallCounter counter;
    gl.glEnable(0x0B71);   // depth test
    gl.glEnable(0x0B71);   // again
    gl.glDisable(0x0B71);
    gl.glBlendFunc(0x0302, 1);
    gl.glBlendFunc(0x0302, 1);
    gl.glUseProgram(3);
    gl.glUseProgram(3);
    gl.glBindBuffer(0x8892, 5);
    gl.glBindBuffer(0x8893, 5);  // another target: a change
    GLuint deleted = 5;
    gl.glDeleteBuffers(1, &deleted);
    gl.glBindBuffer(0x8892, 0);  // the delete already bound 0
    gl.glEnableVertexAttribArray(2);
    gl.glEnableVertexAttribArray(2);
    gl.glVertexAttribDivisor(2, 1);
    gl.glVertexAttribDivisor(2, 1);
    EXPECT_EQ(counter.GetStateChangeCount(), 8u);
    EXPECT_EQ(counter.GetRedundantCount(), 6u);

    gl.glEnable(0x0DE1);  // the texture enable of a bind
    gl.glEnable(0x0DE1);
    gl.glBindFramebuffer(0x8D40, 0);
    gl.glViewport(0, 0, 4, 4);
    gl.glClearColor(0, 0, 0, 1);
    EXPECT_EQ(counter.GetAlwaysIssuedCount(), 5u);
    EXPECT_EQ(counter.GetRedundantCount(), 6u);

    counter.Reset();
    gl.glUseProgram(3);  // what is known of the state outlives a reset
    EXPECT_EQ(counter.GetRedundantCount(), 1u);
    EXPECT_EQ(counter.GetStateChangeCount(), 0u);
}
