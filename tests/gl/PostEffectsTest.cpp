// Every post effect over one real frame: each does something of what its
// name says, and the copy copies. The pictures go to /tmp as PPM files for a
// look.
#include <GL/gl.h>

#include "demo/post/PostProcessor.h"
#include "demo/post/PostSetup.h"
#include "demo/scenes/RaymarchScene.h"
#include "demo/show/Tempo.h"
#include "engine/render/Display.h"
#include "engine/render/RenderTarget.h"
#include "engine/render/UniformSet.h"
#include "tests/gl/GLTestBed.h"
#include "tests/unit/TemporaryDirectory.h"
#include "tests/unit/TestEngine.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

constexpr uint32_t kWidth = 320;
constexpr uint32_t kHeight = 240;

struct Frame {
    std::vector<uint8_t> rgb;

    int At(uint32_t x, uint32_t y, int channel) const { return rgb[(y * kWidth + x) * 3 + channel]; }
    double MeanLevel() const {
        double sum = 0.0;
        for (uint8_t value : rgb)
            sum += value;
        return sum / rgb.size();
    }
    // Mean absolute step between neighbours along x or along y.
    double Detail(bool alongX) const {
        double sum = 0.0;
        for (uint32_t y = 1; y < kHeight; ++y)
            for (uint32_t x = 1; x < kWidth; ++x)
                for (int c = 0; c < 3; ++c)
                    sum += std::abs(At(x, y, c) - (alongX ? At(x - 1, y, c) : At(x, y - 1, c)));
        return sum / ((kWidth - 1) * (kHeight - 1) * 3);
    }
    // The share of pixels equal to their left neighbour.
    double RepeatedAlongX() const {
        size_t repeated = 0;
        for (uint32_t y = 0; y < kHeight; ++y)
            for (uint32_t x = 1; x < kWidth; ++x)
                repeated += At(x, y, 0) == At(x - 1, y, 0) && At(x, y, 1) == At(x - 1, y, 1) &&
                            At(x, y, 2) == At(x - 1, y, 2);
        return double(repeated) / ((kWidth - 1) * kHeight);
    }
    size_t DistinctColours() const {
        std::set<uint32_t> colours;
        for (size_t i = 0; i < rgb.size(); i += 3)
            colours.insert(rgb[i] << 16 | rgb[i + 1] << 8 | rgb[i + 2]);
        return colours.size();
    }
};

double MeanDifference(const Frame& a, const Frame& b) {
    double sum = 0.0;
    for (size_t i = 0; i < a.rgb.size(); ++i)
        sum += std::abs(int(a.rgb[i]) - int(b.rgb[i]));
    return sum / a.rgb.size();
}

void WritePpm(const Frame& frame, const std::string& path) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return;
    std::fprintf(file, "P6 %u %u 255\n", kWidth, kHeight);
    for (uint32_t row = kHeight; row-- > 0;)
        std::fwrite(&frame.rgb[row * kWidth * 3], 1, kWidth * 3, file);
    std::fclose(file);
}

class PostEffectsTest : public GLTestBed {
protected:
    void SetUp() override {
        OpenDisplay(kWidth, kHeight);
        if (IsSkipped() || HasFatalFailure())
            return;
        processor = SetUpPostProcessing();
        ASSERT_TRUE(processor);
        ASSERT_TRUE(spheres.Init());
        display.SetRenderTarget(display.FindRenderTarget("main_post_fx"));
        DemoTime now{12.0 * Tempo().patternLength, 1.0 / 60.0};
        spheres.Update(&now);
        spheres.Render();
        source = ReadTarget();
    }
    void TearDown() override {
        spheres.Release();
        processor.reset();
        CloseDisplay();
    }

    static Frame ReadTarget() {
        Frame frame;
        frame.rgb.resize(kWidth * kHeight * 3);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, kWidth, kHeight, GL_RGB, GL_UNSIGNED_BYTE, frame.rgb.data());
        return frame;
    }

    Frame Apply(const char* effect) {
        UniformSet uniforms;
        uniforms.SetFloat("uTime", 1.5f);
        uniforms.SetFloat("uBlurSize", 0.02f);
        display.SetRenderTarget(display.FindRenderTarget("fb0"));
        display.SetBlending(false);
        processor->Draw("main_post_fx", effect, uniforms);
        Frame frame = ReadTarget();
        WritePpm(frame, std::string("/tmp/zp_effect_") + effect + ".ppm");
        return frame;
    }

    WorkingDirectoryScope workingDirectory{ZP_SOURCE_DIR};
    std::unique_ptr<PostProcessor> processor;
    SpheresScene spheres;
    Frame source;
};

TEST_F(PostEffectsTest, TheCopyCopiesAndEveryOtherEffectChangesThePictureWithoutLosingIt) {
    WritePpm(source, "/tmp/zp_effect_source.ppm");
    EXPECT_LT(MeanDifference(Apply("nopostfx"), source), 0.5);
    for (const PostEffectFile& effect : kPostEffects) {
        if (std::string(effect.name) == "nopostfx" || std::string(effect.name) == "mainpostfx")
            continue;
        const Frame frame = Apply(effect.name);
        EXPECT_GT(MeanDifference(frame, source), 1.0) << effect.name << " leaves the picture as it was";
        EXPECT_NEAR(frame.MeanLevel(), source.MeanLevel(), 0.5 * source.MeanLevel())
            << effect.name << " loses the picture";
    }
}

TEST_F(PostEffectsTest, EffectsDoWhatTheirNamesSay) {
    // Each half of the blur takes more detail away along its own axis.
    const Frame horizontal = Apply("blur_h");
    EXPECT_LT(horizontal.Detail(true), 0.8 * source.Detail(true)) << "blur_h";
    EXPECT_LT(horizontal.Detail(true) / source.Detail(true), horizontal.Detail(false) / source.Detail(false));
    const Frame vertical = Apply("blur_v");
    EXPECT_LT(vertical.Detail(false), 0.8 * source.Detail(false)) << "blur_v";
    EXPECT_LT(vertical.Detail(false) / source.Detail(false), vertical.Detail(true) / source.Detail(true));

    const Frame blocks = Apply("pixelation");
    EXPECT_GT(blocks.RepeatedAlongX(), source.RepeatedAlongX() + 0.15) << "pixelation";
    EXPECT_LT(blocks.DistinctColours(), source.DistinctColours() / 2) << "pixelation";
    EXPECT_LT(Apply("posterization").DistinctColours(), source.DistinctColours() / 4) << "posterization";

    for (const char* smoothing : {"directionalblur", "radialblur"})
        EXPECT_LT(Apply(smoothing).Detail(true) + Apply(smoothing).Detail(false),
                  0.9 * (source.Detail(true) + source.Detail(false)))
            << smoothing;
}

}
