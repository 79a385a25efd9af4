#include "engine/render/GLFunctions.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

std::vector<std::string> askedNames;
std::vector<std::string> boxes;
const char* missingName = nullptr;

void* FakeLoader(const char* name) {
    askedNames.push_back(name);
    static char somewhere;
    return missingName && std::strcmp(name, missingName) == 0 ? nullptr : &somewhere;
}

void RecordBox(const char* text) { boxes.push_back(text); }

class GLEntryPointsTest : public ::testing::Test {
protected:
    void SetUp() override {
        askedNames.clear();
        boxes.clear();
    }
    // The table is the process's; give it back as it was.
    void TearDown() override { gl = saved; }
    GLFunctions saved = gl;
};

TEST_F(GLEntryPointsTest, AllPresentFetchesEveryNameInOrder) {
    missingName = nullptr;
    EXPECT_TRUE(LoadGLEntryPoints(FakeLoader, RecordBox));
    ASSERT_EQ(askedNames.size(), static_cast<size_t>(kFetchedGLFunctionCount));
    EXPECT_EQ(askedNames.front(), "glGenBuffers");
    EXPECT_EQ(askedNames[7], "wglSwapIntervalEXT");
    EXPECT_EQ(askedNames.back(), "glDrawBuffers");
    EXPECT_TRUE(boxes.empty());
    EXPECT_NE(gl.glDrawBuffers, nullptr);
}

TEST_F(GLEntryPointsTest, LastMissingShowsOneBoxAfterAllOthers) {
    missingName = "glDrawBuffers";
    EXPECT_FALSE(LoadGLEntryPoints(FakeLoader, RecordBox));
    EXPECT_EQ(askedNames.size(), static_cast<size_t>(kFetchedGLFunctionCount));
    EXPECT_EQ(boxes, std::vector<std::string>{"Cannot import OpenGL function glDrawBuffers"});
    EXPECT_NE(gl.glFramebufferRenderbuffer, nullptr);  // fetched before it, kept
}

TEST_F(GLEntryPointsTest, FirstMissingStopsTheFetch) {
    missingName = "glCreateShader";
    gl.glDeleteShader = nullptr;
    EXPECT_FALSE(LoadGLEntryPoints(FakeLoader, RecordBox));
    EXPECT_EQ(askedNames.size(), 9u);
    EXPECT_EQ(boxes, std::vector<std::string>{"Cannot import OpenGL function glCreateShader"});
    EXPECT_EQ(gl.glCreateShader, nullptr);
    EXPECT_EQ(gl.glDeleteShader, nullptr);  // never fetched
}

TEST_F(GLEntryPointsTest, LinkedFunctionsArePresentWithoutAContext) {
    EXPECT_NE(gl.glViewport, nullptr);
    EXPECT_NE(gl.glBlendFunc, nullptr);
    EXPECT_NE(gl.glGetError, nullptr);
}

}
