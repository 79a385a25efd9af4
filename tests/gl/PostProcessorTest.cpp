// The post-processing chain against a real GL implementation; needs a
// display (a virtual X server will do). Without one every test is skipped.
#include <GL/gl.h>

#include "demo/post/PostProcessor.h"
#include "demo/post/PostSetup.h"
#include "engine/files/FileSystem.h"
#include "engine/render/Display.h"
#include "engine/render/GLConstants.h"
#include "engine/render/RenderTarget.h"
#include "engine/render/ShaderManager.h"
#include "engine/render/ShaderProgramManager.h"
#include "engine/render/TextureManager.h"
#include "engine/render/UniformSet.h"
#include "tests/unit/TemporaryDirectory.h"
#include "tests/gl/GLTestBed.h"
#include "tests/unit/TestEngine.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <memory>

namespace {

constexpr uint32_t kWidth = 160;
constexpr uint32_t kHeight = 120;

std::array<int, 3> PixelAt(int x, int y) {
    unsigned char rgba[4] = {};
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return {rgba[0], rgba[1], rgba[2]};
}

void ExpectNear(const std::array<int, 3>& pixel, int r, int g, int b, int tolerance) {
    EXPECT_NEAR(pixel[0], r, tolerance);
    EXPECT_NEAR(pixel[1], g, tolerance);
    EXPECT_NEAR(pixel[2], b, tolerance);
}

class PostProcessorTest : public GLTestBed {
protected:
    void SetUp() override {
        OpenDisplay(kWidth, kHeight);
        if (IsSkipped() || HasFatalFailure())
            return;
        processor = SetUpPostProcessing();
        ASSERT_TRUE(processor);
    }
    void TearDown() override {
        processor.reset();
        CloseDisplay();
    }

    void Fill(const char* target, float r, float g, float b) {
        RenderTarget* previous = display.SetRenderTarget(display.FindRenderTarget(target));
        const float color[4] = {r, g, b, 1.0f};
        display.SetClearColor(color);
        display.Clear(CLEAR_COLOR);
        display.SetRenderTarget(previous);
    }

    std::array<int, 3> FinalPass(float fade, float flash) {
        UniformSet uniforms;
        uniforms.SetFloat("uTime", 1.5f);
        uniforms.SetFloat("uFlash", flash);
        uniforms.SetFloat("uFade", fade);
        display.SetRenderTarget(nullptr);
        display.SetBlending(false);
        processor->Draw("main_post_fx", "mainpostfx", uniforms);
        return PixelAt(kWidth / 2, kHeight / 2);
    }

    WorkingDirectoryScope workingDirectory{ZP_SOURCE_DIR};
    std::unique_ptr<PostProcessor> processor;
};

TEST_F(PostProcessorTest, SetUpMakesTheThreeTargetsAtDisplaySizeAndEveryEffect) {
    for (const char* name : {"main_post_fx", "fb0", "fb1"}) {
        RenderTarget* target = display.FindRenderTarget(name);
        ASSERT_TRUE(target) << name;
        EXPECT_EQ(target->GetWidth(), kWidth);
        EXPECT_EQ(target->GetHeight(), kHeight);
    }
    EXPECT_EQ(display.GetCurrentTarget(), nullptr);
    for (const PostEffectFile& effect : kPostEffects)
        EXPECT_TRUE(processor->HasEffect(effect.name)) << effect.name << " did not compile or link";
    for (LogLevel level : engine.sink.levels)
        EXPECT_NE(level, LOG_ERROR);
}

TEST_F(PostProcessorTest, FinalPassFadesToBlackAndFlashesToWhite) {
    Fill("main_post_fx", 1.0f, 0.0f, 0.0f);
    ExpectNear(FinalPass(1.0f, 0.0f), 255, 0, 0, 6);
    ExpectNear(FinalPass(0.0f, 0.0f), 0, 0, 0, 0);
    ExpectNear(FinalPass(1.0f, 1.0f), 255, 255, 255, 0);
    ExpectNear(FinalPass(0.5f, 0.5f), 127, 64, 64, 6);
}

TEST_F(PostProcessorTest, UnknownEffectOrTargetDrawsNothing) {
    const float blue[4] = {0.0f, 0.0f, 1.0f, 1.0f};
    display.SetClearColor(blue);
    display.Clear(CLEAR_COLOR);
    Fill("main_post_fx", 1.0f, 0.0f, 0.0f);
    display.UnbindShaderProgram();
    UniformSet uniforms;
    processor->Draw("main_post_fx", "no_such_effect", uniforms);
    processor->Draw("no_such_target", "nopostfx", uniforms);
    ExpectNear(PixelAt(kWidth / 2, kHeight / 2), 0, 0, 255, 0);
    GLint program = -1;
    glGetIntegerv(GL_CURRENT_PROGRAM, &program);
    EXPECT_EQ(program, 0);
}

TEST_F(PostProcessorTest, SecondRegistrationOfANameReplacesTheProgram) {
    ASSERT_TRUE(processor->AddEffect("look", "data/shaders/postfx/nopostfx.fs"));
    Resource* first = processor->FindEffect("look")->Get();
    ASSERT_TRUE(processor->AddEffect("look", "data/shaders/postfx/posterization.fs"));
    EXPECT_NE(processor->FindEffect("look")->Get(), first);
    EXPECT_FALSE(processor->AddEffect("look", "data/shaders/postfx/missing.fs"));
    EXPECT_TRUE(processor->HasEffect("look")) << "a failed load keeps what was there";
}

TEST_F(PostProcessorTest, GlowAddsTheBlurredSourceAndLeavesAdditiveBlending) {
    Fill("fb0", 0.25f, 0.25f, 0.25f);
    display.SetRenderTarget(nullptr);
    processor->Glow("fb0", "fb1", 0.005f);
    ExpectNear(PixelAt(kWidth / 2, kHeight / 2), 128, 128, 128, 4);
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    display.SetRenderTarget(display.FindRenderTarget("fb1"));
    ExpectNear(PixelAt(kWidth / 2, kHeight / 2), 64, 64, 64, 3);
    display.SetRenderTarget(nullptr);
}

}
