// Saves files into a scratch data tree while a program and a texture are in
// use, and reads back what the next frame draws.
#include "tools/live/LiveReloader.h"

#include "engine/files/Image.h"
#include "engine/files/ImageLoader.h"
#include "engine/render/GLConstants.h"
#include "engine/render/GLFunctions.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/RenderTarget.h"
#include "engine/render/ShaderProgram.h"
#include "engine/render/Texture.h"
#include "engine/render/VertexBuffer.h"
#include "engine/render/VertexLayout.h"
#include "tests/gl/GLTestBed.h"
#include "tests/unit/TemporaryDirectory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <filesystem>
#include <thread>

namespace {

using Colour = std::array<int, 3>;
const Colour kRed = {255, 0, 0};
const Colour kGreen = {0, 255, 0};
const Colour kBlue = {0, 0, 255};

const char kQuadVertex[] =
    "#version 330\n"
    "layout(location = 0) in vec2 aPosition;\n"
    "out vec2 vUv;\n"
    "void main() { vUv = aPosition * 0.5 + 0.5; gl_Position = vec4(aPosition, 0.0, 1.0); }\n";

std::string SolidFragment(const char* rgb) {
    return std::string("#version 330\nout vec4 fragColor;\nvoid main() {\n    fragColor = vec4(") + rgb +
           ", 1.0);\n}\n";
}

// An uncompressed 24-bit TGA of 4 x 4 pixels of one colour (rows of 12
// bytes, which GL's default unpacking alignment takes as they are).
std::string SolidTga(const Colour& colour) {
    std::string bytes(18, '\0');
    bytes[2] = 2;
    bytes[12] = 4;
    bytes[14] = 4;
    bytes[16] = 24;
    for (int i = 0; i < 16; ++i) {
        bytes += static_cast<char>(colour[2]);
        bytes += static_cast<char>(colour[1]);
        bytes += static_cast<char>(colour[0]);
    }
    return bytes;
}

double Seconds() {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

class LiveReloaderGLTest : public GLTestBed {
protected:
    void SetUp() override {
        OpenDisplay(64, 64);
        if (IsSkipped() || HasFatalFailure())
            return;
        workingDirectory = std::make_unique<WorkingDirectoryScope>(root.path);
        WriteTestFile("data/shaders/quad.vs", kQuadVertex);
        const float corners[] = {-1.0f, -1.0f, 1.0f, -1.0f, 1.0f, 1.0f, -1.0f, 1.0f};
        const uint16_t quad[] = {0, 1, 2, 0, 2, 3};
        vertices.reset(display.CreateVertexBuffer(4, 8, false, corners));
        indices.reset(display.CreateIndexBuffer(6, 2, false, quad));
        layout.Add(0, ATTRIBUTE_FLOAT, 2);
        target = display.GetRenderTarget("live", 16, 16);
        ASSERT_TRUE(vertices && indices && target);
    }

    void TearDown() override {
        if (!display.IsOpen())
            return;
        reloader.Stop();
        loaded.clear();
        texture.Reset();
        vertices.reset();
        indices.reset();
        CloseDisplay();
        workingDirectory.reset();
    }

    ResourceReference LoadProgram(const std::string& fragmentPath) {
        ResourceReference program;
        EXPECT_TRUE(programs.Load("data/shaders/quad.vs", fragmentPath, program)) << fragmentPath;
        loaded.push_back(program);
        return program;
    }

    // What a frame drawn with the program shows in the middle.
    Colour Draw(const ResourceReference& program) {
        RenderTarget* previous = display.SetRenderTarget(target);
        const float grey[4] = {0.5f, 0.5f, 0.5f, 1.0f};
        display.SetClearColor(grey);
        display.Clear(CLEAR_COLOR);
        if (texture)
            display.SetTexture(0, texture.As<Texture>());
        program.As<ShaderProgram>()->Use();
        display.DrawMesh(vertices.get(), layout, indices.get(), PRIMITIVE_TRIANGLES, 6);
        uint8_t rgba[4] = {};
        gl.glReadPixels(8, 8, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
        display.SetRenderTarget(previous);
        return {rgba[0], rgba[1], rgba[2]};
    }

    // Frames until a report for path comes, for at most two seconds; every
    // report on the way is kept in seen, and those for other paths wait for
    // their own call.
    ReloadReport WaitForReport(const std::string& path) {
        const double deadline = Seconds() + 2.0;
        while (Seconds() < deadline) {
            std::vector<ReloadReport> reports = reloader.Update(Seconds());
            seen.insert(seen.end(), reports.begin(), reports.end());
            unread.insert(unread.end(), reports.begin(), reports.end());
            for (auto it = unread.begin(); it != unread.end(); ++it) {
                if (it->path != path)
                    continue;
                const ReloadReport report = *it;
                unread.erase(it);
                return report;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        ADD_FAILURE() << "no report for " << path;
        return {path, false, -1, "none", ReloadFate::Checked};
    }

    TemporaryDirectory root;
    std::unique_ptr<WorkingDirectoryScope> workingDirectory;
    std::unique_ptr<VertexBuffer> vertices;
    std::unique_ptr<IndexBuffer> indices;
    VertexLayout layout;
    RenderTarget* target = nullptr;
    std::vector<ResourceReference> loaded;
    ResourceReference texture;
    LiveReloader reloader;
    std::vector<ReloadReport> seen, unread;
};

TEST_F(LiveReloaderGLTest, AChangedShaderShowsOnTheNextFrameAndABrokenOneKeepsThePicture) {
    if (IsSkipped() || HasFatalFailure())
        return;
    const std::string path = "data/shaders/solid.fs";
    WriteTestFile(path, SolidFragment("1.0, 0.0, 0.0"));
    ResourceReference program = LoadProgram(path);
    ASSERT_TRUE(reloader.Start("data"));
    EXPECT_EQ(Draw(program), kRed);

    // Saved as editors do: a temporary file renamed over the old one.
    WriteTestFile("data/shaders/.solid.fs.swp", SolidFragment("0.0, 1.0, 0.0"));
    std::filesystem::rename("data/shaders/.solid.fs.swp", path);
    ReloadReport report = WaitForReport(path);
    EXPECT_TRUE(report.ok) << report.message;
    EXPECT_EQ(FormatReloadLine(report), "reload " + path + " ok");
    EXPECT_EQ(Draw(program), kGreen);

    // Line 4 uses a name that does not exist.
    WriteTestFile(path, SolidFragment("missingColour"));
    report = WaitForReport(path);
    EXPECT_FALSE(report.ok);
    EXPECT_EQ(report.line, 4);
    EXPECT_NE(report.message.find("missingColour"), std::string::npos) << report.message;
    EXPECT_EQ(Draw(program), kGreen);
    std::vector<ReloadReport> failures = reloader.CheckAllShaders();
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(failures[0].path, path);
    EXPECT_EQ(failures[0].line, 4);

    // The vertex shader cannot link with the broken one: it waits for it.
    WriteTestFile("data/shaders/quad.vs", std::string(kQuadVertex) + "// touched\n");
    report = WaitForReport("data/shaders/quad.vs");
    EXPECT_FALSE(report.ok);
    EXPECT_NE(report.message.find(path + ":4:"), std::string::npos) << report.message;

    seen.clear();
    WriteTestFile(path, SolidFragment("0.0, 0.0, 1.0"));
    report = WaitForReport(path);
    EXPECT_TRUE(report.ok) << report.message;
    EXPECT_TRUE(std::any_of(seen.begin(), seen.end(), [](const ReloadReport& other) {
        return other.path == "data/shaders/quad.vs" && other.ok;
    }));
    EXPECT_EQ(Draw(program), kBlue);
    EXPECT_TRUE(reloader.CheckAllShaders().empty());
}

TEST_F(LiveReloaderGLTest, AnIncludeChangeReloadsEveryShaderThatIncludesIt) {
    if (IsSkipped() || HasFatalFailure())
        return;
    const std::string common = "data/shaders/post/common.glsl";
    WriteTestFile(common, "vec3 Tint() {\n    return vec3(1.0, 0.0, 0.0);\n}\n");
    const std::string body = "#version 330\n#include \"common.glsl\"\nout vec4 fragColor;\n"
                             "void main() { fragColor = vec4(Tint(), 1.0); }\n";
    WriteTestFile("data/shaders/post/first.fs", body);
    WriteTestFile("data/shaders/post/second.fs", "// the other one\n" + body);
    ResourceReference first = LoadProgram("data/shaders/post/first.fs");
    ResourceReference second = LoadProgram("data/shaders/post/second.fs");
    ASSERT_TRUE(reloader.Start("data"));
    EXPECT_EQ(Draw(first), kRed);
    EXPECT_EQ(Draw(second), kRed);

    WriteTestFile(common, "vec3 Tint() {\n    return vec3(0.0, 1.0, 0.0);\n}\n");
    ReloadReport report = WaitForReport(common);
    EXPECT_TRUE(report.ok) << report.message;
    EXPECT_EQ(Draw(first), kGreen);
    EXPECT_EQ(Draw(second), kGreen);

    // The error is on line 2 of the include, whichever line of the expanded
    // shader the driver names.
    WriteTestFile(common, "vec3 Tint() {\n    return vec3(0.0, 0.0, 1.0) +;\n}\n");
    report = WaitForReport(common);
    EXPECT_FALSE(report.ok);
    EXPECT_EQ(report.line, 2) << report.message;
    EXPECT_EQ(Draw(first), kGreen);
    EXPECT_EQ(Draw(second), kGreen);
}

TEST_F(LiveReloaderGLTest, AChangedImageUpdatesItsTextureAndAnUnreadableOneKeepsIt) {
    if (IsSkipped() || HasFatalFailure())
        return;
    const std::string path = "data/textures/swatch.tga";
    WriteTestFile(path, SolidTga(kRed));
    std::unique_ptr<Image> image(LoadImage(path));
    ASSERT_TRUE(image);
    ASSERT_TRUE(textures.Load(*image, texture));
    WriteTestFile("data/shaders/sample.fs", "#version 330\nuniform sampler2D uTexture;\nin vec2 vUv;\n"
                                            "out vec4 fragColor;\n"
                                            "void main() { fragColor = texture(uTexture, vUv); }\n");
    ResourceReference program = LoadProgram("data/shaders/sample.fs");
    ASSERT_TRUE(reloader.Start("data"));
    EXPECT_EQ(Draw(program), kRed);

    WriteTestFile(path, SolidTga(kBlue));
    ReloadReport report = WaitForReport(path);
    EXPECT_TRUE(report.ok) << report.message;
    EXPECT_EQ(Draw(program), kBlue);

    WriteTestFile(path, "not an image");
    report = WaitForReport(path);
    EXPECT_FALSE(report.ok);
    EXPECT_EQ(Draw(program), kBlue);

    // Run-length compressed, as image editors save by default: refused, and
    // the report says why.
    std::string compressed = SolidTga(kGreen);
    compressed[2] = 10;
    WriteTestFile(path, compressed);
    report = WaitForReport(path);
    EXPECT_FALSE(report.ok);
    EXPECT_EQ(FormatReloadLine(report).rfind("reload " + path + " error the TGA is RLE-compressed", 0), 0u)
        << FormatReloadLine(report);
    EXPECT_EQ(Draw(program), kBlue);
}

TEST_F(LiveReloaderGLTest, AFolderRenamedAwayIsGoneAndFilesNoProgramUsesSaySo) {
    if (IsSkipped() || HasFatalFailure())
        return;
    const std::string path = "data/shaders/generator/solid.fs";
    WriteTestFile(path, SolidFragment("1.0, 0.0, 0.0"));
    ResourceReference program = LoadProgram(path);
    ASSERT_TRUE(reloader.Start("data"));
    reloader.SetShowBuilt(true);

    std::filesystem::rename("data/shaders/generator", "data/shaders/generator_old");
    EXPECT_EQ(FormatReloadLine(WaitForReport("data/shaders/generator_old/solid.fs")),
              "reload data/shaders/generator_old/solid.fs not used by the show");
    EXPECT_EQ(FormatReloadLine(WaitForReport(path)), "reload " + path + " gone");
    WriteTestFile("data/shaders/generator_old/solid.fs", SolidFragment("0.0, 1.0, 0.0"));
    EXPECT_EQ(WaitForReport("data/shaders/generator_old/solid.fs").fate, ReloadFate::NotUsed);
    WriteTestFile("data/shaders/new.fs", SolidFragment("0.0, 1.0, 0.0"));
    EXPECT_EQ(WaitForReport("data/shaders/new.fs").fate, ReloadFate::NotUsed);
    EXPECT_EQ(Draw(program), kRed);

    std::filesystem::rename("data/shaders/generator_old", "data/shaders/generator");
    ReloadReport back = WaitForReport(path);
    EXPECT_TRUE(back.ok && back.fate == ReloadFate::Checked) << FormatReloadLine(back);
    EXPECT_EQ(Draw(program), kGreen);
}

TEST_F(LiveReloaderGLTest, AShaderWhoseProgramFailedToLoadIsStillCheckedAtTheStart) {
    if (IsSkipped() || HasFatalFailure())
        return;
    const std::string path = "data/shaders/broken.fs";
    WriteTestFile(path, SolidFragment("missingColour"));
    ResourceReference program;
    EXPECT_FALSE(programs.Load("data/shaders/quad.vs", path, program));
    ASSERT_TRUE(reloader.Start("data"));
    std::vector<ReloadReport> failures = reloader.CheckAllShaders();
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(failures[0].path, path);
    EXPECT_EQ(failures[0].line, 4);
}

}
