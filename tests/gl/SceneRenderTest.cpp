// Renders the lit scenes and the title cards through a real GL driver into a
// render target, checks that they drew something that is not the background,
// and leaves the pictures as PPM files in /tmp/zpscenes for a look. Prints
// the time each frame took (update, draw and a finished read-back).
#include <GL/gl.h>

#include "demo/DemoContext.h"
#include "demo/post/PostProcessor.h"
#include "demo/post/PostSetup.h"
#include "demo/scenes/BoxArray.h"
#include "demo/scenes/BoxGridScene.h"
#include "demo/scenes/Camera.h"
#include "demo/scenes/MeshLightScene.h"
#include "demo/scenes/TitleScene.h"
#include "demo/show/Tempo.h"
#include "engine/core/CrtRandom.h"
#include "engine/core/PrecalcProgress.h"
#include "engine/files/FileSystem.h"
#include "engine/render/Display.h"
#include "engine/render/RenderTarget.h"
#include "engine/render/ShaderManager.h"
#include "engine/render/ShaderProgramManager.h"
#include "engine/render/TextureManager.h"
#include "tests/unit/TemporaryDirectory.h"
#include "tests/gl/GLTestBed.h"
#include "tests/unit/TestEngine.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr uint32_t kWidth = 1024;
constexpr uint32_t kHeight = 768;
const double P = Tempo().patternLength;

class QuietProgress : public PrecalcProgress {
public:
    bool IsStopRequested() override { return false; }
    void Step() override {}
    void SetStatus(const std::string&) override {}
};

struct Picture {
    std::vector<uint8_t> rgb;
    // Share of pixels whose colour differs from the corner's.
    double Covered() const {
        size_t differing = 0;
        for (size_t i = 0; i < rgb.size(); i += 3) {
            int distance = std::abs(rgb[i] - rgb[0]) + std::abs(rgb[i + 1] - rgb[1]) + std::abs(rgb[i + 2] - rgb[2]);
            differing += distance > 12;
        }
        return static_cast<double>(differing) / static_cast<double>(rgb.size() / 3);
    }
};

// The demo's shared objects as the scenes see them: the post-processor with
// its targets, so that the lit scenes glow as in the show.
class ShowContext : public DemoContext {
public:
    PostProcessor* GetPostProcessor() override { return postProcessor.get(); }
    EnvelopeTrack* GetEnvelopeTrack() override { return nullptr; }
    const Tempo* GetTempo() override { return &tempo; }
    std::unique_ptr<PostProcessor> postProcessor;
    Tempo tempo;
};

class SceneRenderTest : public GLTestBed {
protected:
    void SetUp() override {
        OpenDisplay(kWidth, kHeight);
        if (IsSkipped() || HasFatalFailure())
            return;
        target.reset(display.CreateRenderTarget(kWidth, kHeight));
        ASSERT_TRUE(target);
        context.postProcessor = SetUpPostProcessing();
        ASSERT_TRUE(context.postProcessor);
        SetDemoContext(&context);
        std::filesystem::create_directories("/tmp/zpscenes");
    }
    void TearDown() override {
        if (target)
            target->Release();
        target.reset();
        SetDemoContext(nullptr);
        context.postProcessor.reset();
        CloseDisplay();
    }

    // Advances the scene through the frames before the time at 60 per
    // second, as the show would, then draws the frame at the time.
    Picture Shoot(Scene& scene, double begin, double time, const std::string& name) {
        DemoTime now{begin, 0.0};
        scene.Begin(scene.GetVariant(), &now);
        for (double t = begin; t < time; t += 1.0 / 60.0) {
            now = {t, 1.0 / 60.0};
            scene.Update(&now);
        }
        now = {time, 1.0 / 60.0};
        auto started = std::chrono::steady_clock::now();
        scene.Update(&now);
        Picture picture = Draw(scene);
        double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        std::printf("[frame] %s: %.1f ms\n", name.c_str(), seconds * 1000.0);
        Save(picture, "/tmp/zpscenes/" + name + ".ppm");
        return picture;
    }

    Picture Draw(Scene& scene) {
        display.SetRenderTarget(target.get());
        static const float kBlack[4] = {0.0f, 0.0f, 0.0f, 1.0f};
        display.SetClearColor(kBlack);
        display.Clear(CLEAR_COLOR | CLEAR_DEPTH);
        scene.Render();
        Picture picture;
        picture.rgb.resize(kWidth * kHeight * 3);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, kWidth, kHeight, GL_RGB, GL_UNSIGNED_BYTE, picture.rgb.data());
        display.SetRenderTarget(nullptr);
        return picture;
    }

    // Mean milliseconds of a whole frame (update, draw, read-back) over frames
    // at 60 per second from the time.
    double FrameTime(Scene& scene, double time, int frames) {
        Draw(scene);  // the driver compiles its shader variants on first use
        auto started = std::chrono::steady_clock::now();
        for (int frame = 0; frame < frames; ++frame) {
            DemoTime now{time + frame / 60.0, 1.0 / 60.0};
            scene.Update(&now);
            Draw(scene);
        }
        return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started).count() / frames;
    }

    static void Save(const Picture& picture, const std::string& path) {
        FILE* file = std::fopen(path.c_str(), "wb");
        if (!file)
            return;
        std::fprintf(file, "P6\n%u %u\n255\n", kWidth, kHeight);
        for (uint32_t row = kHeight; row-- > 0;)  // GL rows run bottom up
            std::fwrite(&picture.rgb[row * kWidth * 3], 1, kWidth * 3, file);
        std::fclose(file);
    }

    WorkingDirectoryScope workingDirectory{ZP_SOURCE_DIR};
    std::unique_ptr<RenderTarget> target;
    QuietProgress progress;
    ShowContext context;
};

TEST_F(SceneRenderTest, BoxGridDrawsEachVariant) {
    Srand(12345);
    BoxGridScene scene;
    ASSERT_TRUE(scene.Init());
    ASSERT_TRUE(scene.Precalc(&progress));
    struct Shot {
        int32_t variant;
        double begin;
        double time;
        const char* name;
    } shots[] = {{1, 16 * P, 16 * P + 3.0, "boxgrid_v1"},
                 {0, 20 * P, 20 * P + 4.0, "boxgrid_v0"},
                 {3, 46 * P, 46 * P + 2.0, "boxgrid_v3"},
                 {2, 52 * P, 53 * P, "boxgrid_v2"}};
    for (const Shot& shot : shots) {
        scene.SetVariant(shot.variant);
        Picture picture = Shoot(scene, shot.begin, shot.time, shot.name);
        EXPECT_GT(picture.Covered(), 0.2) << shot.name;
    }
    scene.Release();
}

// Reports the figures; the budget is 200 ms a frame at 1024x768. The suite
// shares two cores, so the checks fail only at twice that.
TEST_F(SceneRenderTest, FrameTimesAtFullSize) {
    Srand(12345);
    BoxGridScene grid;
    ASSERT_TRUE(grid.Init());
    ASSERT_TRUE(grid.Precalc(&progress));
    const struct {
        int32_t variant;
        double time;
    } variants[] = {{1, 16 * P + 3.0}, {0, 20 * P + 4.0}, {3, 46 * P + 2.0}, {2, 52 * P + 1.0}};
    for (const auto& shot : variants) {
        grid.SetVariant(shot.variant);
        DemoTime begin{shot.time, 0.0};
        grid.Begin(shot.variant, &begin);
        double ms = FrameTime(grid, shot.time, 20);
        std::printf("[frame time] box grid variant %d: %.1f ms\n", shot.variant, ms);
        EXPECT_LT(ms, 400.0);
    }

    // The CPU side alone: the animation and the instance records.
    const int frames = 200;
    BoxArray& boxes = const_cast<BoxArray&>(*grid.GetBoxArray());
    double updateMs = 0.0;
    double buildMs = 0.0;
    for (int frame = 0; frame < frames; ++frame) {
        DemoTime now{60.0 + frame / 60.0, 1.0 / 60.0};
        auto started = std::chrono::steady_clock::now();
        grid.Update(&now);
        auto updated = std::chrono::steady_clock::now();
        const_cast<Camera*>(grid.GetCamera())->UpdateView();
        boxes.BuildInstances(grid.GetCamera()->view);
        auto built = std::chrono::steady_clock::now();
        updateMs += std::chrono::duration<double, std::milli>(updated - started).count();
        buildMs += std::chrono::duration<double, std::milli>(built - updated).count();
    }
    std::printf("[cpu] box grid update: %.3f ms, instance build: %.3f ms per frame\n", updateMs / frames,
                buildMs / frames);
    grid.Release();

    MeshLightScene mesh;
    ASSERT_TRUE(mesh.Init());
    ASSERT_TRUE(mesh.Precalc(&progress));
    ASSERT_TRUE(mesh.Upload());
    double meshMs = FrameTime(mesh, 5.0 * P, 20);
    std::printf("[frame time] mesh light: %.1f ms\n", meshMs);
    EXPECT_LT(meshMs, 400.0);
    mesh.Release();

    TitleScene title;
    ASSERT_TRUE(title.Init());
    ASSERT_TRUE(title.Precalc(&progress));
    ASSERT_TRUE(title.Upload());
    double titleMs = FrameTime(title, 4.5 * P, 20);
    std::printf("[frame time] title (two cards): %.1f ms\n", titleMs);
    EXPECT_LT(titleMs, 400.0);
    title.Release();
}

TEST_F(SceneRenderTest, MeshLightDrawsTheLitMesh) {
    MeshLightScene scene;
    ASSERT_TRUE(scene.Init());
    ASSERT_TRUE(scene.Precalc(&progress));
    ASSERT_TRUE(scene.Upload());
    const double times[] = {1.5 * P, 3.0 * P + 0.05, 5.0 * P, 7.5 * P};
    for (double time : times) {
        std::string name = "meshlight_" + std::to_string(static_cast<int>(time * 1000));
        Picture picture = Shoot(scene, time, time, name);
        EXPECT_GT(picture.Covered(), 0.03) << name;
    }
    scene.Release();
}

TEST_F(SceneRenderTest, TitleCardsFadeOverTheirWindows) {
    if (!std::filesystem::exists("data/shaders/base/textured2d.vs"))
        GTEST_SKIP() << "no textured quad shader yet";
    TitleScene scene;
    ASSERT_TRUE(scene.Init());
    ASSERT_TRUE(scene.Precalc(&progress));
    ASSERT_TRUE(scene.Upload());
    const double times[] = {2.6 * P, 3.65 * P, 4.5 * P, 6.5 * P};
    for (double time : times) {
        std::string name = "title_" + std::to_string(static_cast<int>(time * 1000));
        Picture picture = Shoot(scene, time, time, name);
        EXPECT_GT(picture.Covered(), 0.002) << name;
    }
    Picture none = Shoot(scene, 7.9 * P, 7.9 * P, "title_after");
    EXPECT_EQ(none.Covered(), 0.0);
    scene.Release();
}

}
