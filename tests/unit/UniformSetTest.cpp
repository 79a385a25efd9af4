#include "engine/render/Display.h"
#include "engine/render/ShaderProgram.h"
#include "engine/render/UniformSet.h"
#include "tests/unit/FakeGL.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

TEST(UniformSet, AppliesInNameOrderAndKeepsEachEntrysKind) {
    FakeGLScope fake;
    Display display;
    ResourceReference program(new ResourceHandle(std::unique_ptr<Resource>(display.CreateShaderProgram(nullptr, "p"))));
    fakeGL.uniformLocations = {{"uA", 3}, {"uB", 4}};

    UniformSet uniforms;
    const float three[3] = {7.0f, 8.0f, 9.0f};
    uniforms.SetFloat("uB", 1.0f);
    uniforms.SetVec3("uA", three);
    uniforms.SetVec3("uB", three);  // stays a float: only the first value is taken
    ASSERT_EQ(uniforms.Find("uB")->GetKind(), 1);
    EXPECT_EQ(uniforms.Find("uB")->GetValues()[0], 7.0f);

    fakeGL.calls.clear();
    uniforms.Apply(program);
    std::vector<std::string> expected{"glGetUniformLocation(1,uA)", "glUniform3f", "glGetUniformLocation(1,uB)",
                                      "glUniform1f(4,7)"};
    std::vector<std::string> made;
    for (const std::string& call : fakeGL.calls)
        if (call != "glUseProgram(1)")
            made.push_back(call);
    EXPECT_EQ(made, expected);

    uniforms.Clear();
    EXPECT_EQ(uniforms.Find("uA"), nullptr);
}

}
