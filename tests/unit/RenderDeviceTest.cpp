#include "engine/render/Display.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/VertexBuffer.h"
#include "engine/render/VertexLayout.h"
#include "tests/unit/FakeGL.h"

#include <gtest/gtest.h>

namespace {

class RenderDeviceTest : public ::testing::Test {
protected:
    FakeGLScope fake;
    Display display;
};

TEST_F(RenderDeviceTest, CapabilitiesAreIssuedOnlyWhenTheyChange) {
    display.SetDepthTest(true);
    display.SetDepthTest(true);
    EXPECT_EQ(fakeGL.Count("glEnable(0xb71)"), 1);

    display.SetDepthTest(false);
    display.SetCulling(false);  // already off in a fresh context
    display.SetBlending(true);
    display.SetBlending(true);
    EXPECT_EQ(fakeGL.Count("glDisable(0xb71)"), 1);
    EXPECT_EQ(fakeGL.CountPrefix("glDisable(0xb44"), 0);
    EXPECT_EQ(fakeGL.Count("glEnable(0xbe2)"), 1);
}

TEST_F(RenderDeviceTest, AdditiveBlendPairIsIssuedOnceUntilItChanges) {
    display.SetBlendFunc(BLEND_SRC_ALPHA, BLEND_ONE);
    display.SetBlendFunc(BLEND_SRC_ALPHA, BLEND_ONE);
    EXPECT_EQ(fakeGL.Count("glBlendFunc(0x302,0x1)"), 1);
    display.SetBlendFunc(BLEND_ONE, BLEND_ZERO);
    display.SetBlendFunc(BLEND_SRC_ALPHA, BLEND_ONE);
    EXPECT_EQ(fakeGL.Count("glBlendFunc(0x302,0x1)"), 2);
    EXPECT_EQ(fakeGL.Count("glBlendFunc(0x1,0x0)"), 1);
}

TEST_F(RenderDeviceTest, ClearMapsEveryFlagAndAlwaysIssuesTheCall) {
    display.Clear(7);
    display.Clear(3);
    display.Clear(0);
    EXPECT_EQ(fakeGL.calls, (std::vector<std::string>{"glClear(0x4500)", "glClear(0x4100)", "glClear(0x0)"}));
}

TEST_F(RenderDeviceTest, MatrixElementBindsFourAttributesSixteenBytesApart) {
    VertexBuffer buffer(&display);
    ASSERT_TRUE(buffer.Create(4, 76, false, nullptr));
    VertexLayout layout;
    layout.elements.push_back({0, false, 12, ATTRIBUTE_MATRIX4, 1});
    layout.stride = 76;
    fakeGL.calls.clear();

    EXPECT_EQ(display.BindVertexLayout(&buffer, layout, 2, 1), 6u);
    for (unsigned column = 0; column < 4; ++column) {
        std::string pointer = "glVertexAttribPointer(" + std::to_string(2 + column) + ",4,0x1406,0,76," +
                              std::to_string(12 + 16 * column) + ")";
        EXPECT_EQ(fakeGL.Count(pointer), 1) << pointer;
        EXPECT_EQ(fakeGL.Count("glVertexAttribDivisor(" + std::to_string(2 + column) + ",1)"), 1);
    }
    EXPECT_EQ(fakeGL.CountPrefix("glBindBuffer"), 0);  // already bound by Create
}

TEST_F(RenderDeviceTest, DrawMeshDisablesOnlyAttributesThatWereOn) {
    VertexBuffer vertices(&display);
    IndexBuffer indices(&display);
    ASSERT_TRUE(vertices.Create(3, 20, false, nullptr));
    ASSERT_TRUE(indices.Create(3, 2, false, nullptr));
    VertexLayout wide;
    wide.Add(0, ATTRIBUTE_FLOAT, 3);
    wide.Add(1, ATTRIBUTE_FLOAT, 2);
    wide.Add(2, ATTRIBUTE_UNSIGNED_BYTE, 4, true);
    display.DrawMesh(&vertices, wide, &indices, PRIMITIVE_TRIANGLES, 3);
    EXPECT_EQ(fakeGL.CountPrefix("glEnableVertexAttribArray"), 3);
    EXPECT_EQ(fakeGL.CountPrefix("glDisableVertexAttribArray"), 0);
    EXPECT_EQ(fakeGL.Count("glVertexAttribPointer(2,4,0x1401,1,24,20)"), 1);

    VertexLayout narrow;
    narrow.Add(0, ATTRIBUTE_FLOAT, 3);
    fakeGL.calls.clear();
    display.DrawMesh(&vertices, narrow, &indices, PRIMITIVE_QUADS, 3);
    EXPECT_EQ(fakeGL.CountPrefix("glEnableVertexAttribArray"), 0);
    EXPECT_EQ(fakeGL.Count("glDisableVertexAttribArray(1)"), 1);
    EXPECT_EQ(fakeGL.Count("glDisableVertexAttribArray(2)"), 1);
    EXPECT_EQ(fakeGL.CountPrefix("glDisableVertexAttribArray"), 2);
    EXPECT_EQ(fakeGL.Count("glDrawElements(0x7,3,0x1403)"), 1);
    EXPECT_EQ(fakeGL.CountPrefix("glBindBuffer"), 0);
}

TEST_F(RenderDeviceTest, IndexSizeWithoutIndexTypeDrawsNothing) {
    IndexBuffer indices(&display);
    ASSERT_TRUE(indices.Create(3, 3, false, nullptr));
    fakeGL.calls.clear();
    display.DrawIndexed(&indices, PRIMITIVE_TRIANGLES, 3);
    display.DrawIndexedInstanced(&indices, PRIMITIVE_TRIANGLES, 3, 10);
    EXPECT_TRUE(fakeGL.calls.empty());

    IndexBuffer words(&display);
    ASSERT_TRUE(words.Create(6, 4, false, nullptr));
    display.DrawIndexedInstanced(&words, PRIMITIVE_TRIANGLE_STRIP, 6, 10);
    EXPECT_EQ(fakeGL.Count("glDrawElementsInstanced(0x5,6,0x1405,10)"), 1);
}

TEST_F(RenderDeviceTest, UnknownAttributeTypeMakesNoCall) {
    VertexBuffer vertices(&display);
    ASSERT_TRUE(vertices.Create(3, 12, false, nullptr));
    fakeGL.calls.clear();
    display.SetVertexAttribute(0, &vertices, 3, 7, false, 12, 0);
    EXPECT_TRUE(fakeGL.calls.empty());
}

TEST_F(RenderDeviceTest, DeletedBufferNameIsNotTrustedAsBound) {
    GLuint reused = 0;
    {
        VertexBuffer first(&display);
        ASSERT_TRUE(first.Create(1, 4, false, nullptr));
        reused = first.GetGLName();
    }
    // The driver may hand the same name out again; it must be bound anew.
    fakeGL.nextName = reused;
    VertexBuffer second(&display);
    fakeGL.calls.clear();
    ASSERT_TRUE(second.Create(1, 4, false, nullptr));
    EXPECT_EQ(fakeGL.Count("glBindBuffer(0x8892," + std::to_string(reused) + ")"), 1);
}

TEST_F(RenderDeviceTest, CreateTwiceFailsAndKeepsTheFirstBuffer) {
    IndexBuffer indices(&display);
    ASSERT_TRUE(indices.Create(3, 2, true, nullptr));
    GLuint first = indices.GetGLName();
    EXPECT_FALSE(indices.Create(9, 4, false, nullptr));
    EXPECT_EQ(indices.GetGLName(), first);
    EXPECT_EQ(indices.GetCount(), 3u);
    EXPECT_EQ(indices.GetElementSize(), 2u);
}

TEST_F(RenderDeviceTest, OnlyTheVertexBufferOrphansItsStorageWhenMappedForWriting) {
    VertexBuffer vertices(&display);
    IndexBuffer indices(&display);
    ASSERT_TRUE(vertices.Create(4, 16, true, nullptr));
    ASSERT_TRUE(indices.Create(6, 2, true, nullptr));
    fakeGL.calls.clear();
    vertices.Map(1);
    EXPECT_EQ(fakeGL.calls, (std::vector<std::string>{"glBufferData", "glMapBuffer"}));
    fakeGL.calls.clear();
    vertices.Map(0);
    indices.Map(1);
    EXPECT_EQ(fakeGL.calls, (std::vector<std::string>{"glMapBuffer", "glMapBuffer"}));
}

}
