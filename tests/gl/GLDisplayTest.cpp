// Runs against a real GL implementation; needs a display (a virtual X
// server will do). Without one every test is skipped.
#include <GL/gl.h>
#include <SDL.h>

#include "engine/files/FileSystem.h"
#include "engine/files/Image.h"
#include "engine/render/Display.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/OpenGLWindow.h"
#include "engine/render/RenderTarget.h"
#include "engine/render/Shader.h"
#include "engine/render/ShaderProgram.h"
#include "engine/render/ShaderProgramManager.h"
#include "engine/render/ShaderManager.h"
#include "engine/render/Texture.h"
#include "engine/render/TextureManager.h"
#include "engine/render/VertexBuffer.h"
#include "engine/render/VertexLayout.h"
#include "tests/gl/GLTestBed.h"
#include "tests/unit/TestEngine.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

namespace {

constexpr uint32_t kWidth = 320;
constexpr uint32_t kHeight = 240;

GLint Integer(GLenum name) {
    GLint value[4] = {};
    glGetIntegerv(name, value);
    return value[0];
}

void Viewport(GLint out[4]) { glGetIntegerv(GL_VIEWPORT, out); }

class GLDisplayTest : public GLTestBed {
protected:
    void SetUp() override {
        OpenDisplay(kWidth, kHeight);
        if (IsSkipped() || HasFatalFailure())
            return;
    }
    void TearDown() override {
        CloseDisplay();
    }

    std::string LastText() const { return engine.sink.Texts().empty() ? "" : engine.sink.Texts().back(); }

};

TEST_F(GLDisplayTest, OpenLogsTheRendererAndEveryExtensionOnItsOwnLine) {
    std::vector<std::string> texts = engine.sink.Texts();
    ASSERT_GE(texts.size(), 6u);
    EXPECT_EQ(texts[0], "Opened OpenGL display");
    EXPECT_EQ(texts[1].rfind("  Renderer: ", 0), 0u);
    EXPECT_GT(texts[1].size(), std::string("  Renderer: ").size());
    EXPECT_EQ(texts[4], "  Windowed (320x240)");
    EXPECT_EQ(texts[5], "Extensions:");
    ASSERT_GT(texts.size(), 7u);
    for (size_t i = 6; i < texts.size(); ++i) {
        EXPECT_EQ(texts[i].rfind("  ", 0), 0u);
        EXPECT_EQ(texts[i].find(' ', 2), std::string::npos) << texts[i];
    }
    SDL_Window* window = static_cast<SDL_Window*>(display.GetWindowHandle());
    EXPECT_STREQ(SDL_GetWindowTitle(window), "ZPDemo");
    display.SetTitle("Zephal - Lumenweaver :: FPS: 60");
    EXPECT_STREQ(SDL_GetWindowTitle(window), "Zephal - Lumenweaver :: FPS: 60");
}

TEST_F(GLDisplayTest, FailedCompileReportsTheDriversLog) {
    std::unique_ptr<Shader> shader(display.CreateShader(nullptr, "bad.fs", "void main( {", FRAGMENT_SHADER));
    ASSERT_TRUE(shader);
    EXPECT_FALSE(shader->Compile());
    const std::string prefix = "An error occurred during shader compilation. Error log:";
    std::string report = LastText();
    EXPECT_EQ(report.rfind(prefix, 0), 0u) << report;
    EXPECT_GT(report.size(), prefix.size() + 4) << "the driver's log is missing";
    EXPECT_EQ(engine.sink.levels.back(), LOG_ERROR);
}

TEST_F(GLDisplayTest, RenderTargetIsCompleteAndLeavesNoTargetCurrent) {
    std::unique_ptr<RenderTarget> other(display.CreateRenderTarget(32, 32));
    ASSERT_TRUE(other);
    display.SetRenderTarget(other.get());

    RenderTarget* target = display.GetRenderTarget("main_post_fx");
    ASSERT_TRUE(target);
    EXPECT_EQ(target->GetWidth(), kWidth);
    EXPECT_EQ(display.GetCurrentTarget(), nullptr);
    EXPECT_EQ(Integer(GL_FRAMEBUFFER_BINDING), 0);
    GLint viewport[4];
    Viewport(viewport);
    EXPECT_EQ(viewport[2], static_cast<GLint>(kWidth));
    EXPECT_EQ(viewport[3], static_cast<GLint>(kHeight));

    gl.glBindFramebuffer(GL_FRAMEBUFFER, target->GetFramebuffer());
    EXPECT_EQ(gl.glCheckFramebufferStatus(GL_FRAMEBUFFER), static_cast<GLenum>(GL_FRAMEBUFFER_COMPLETE));
    display.SetRenderTarget(nullptr);
    other->Release();
}

TEST_F(GLDisplayTest, DestroyingTheCurrentTargetRestoresTheWindowsFramebuffer) {
    RenderTarget* target = display.GetRenderTarget("fb0", 64, 32);
    ASSERT_TRUE(target);
    display.SetRenderTarget(target);
    EXPECT_NE(Integer(GL_FRAMEBUFFER_BINDING), 0);
    display.DestroyRenderTarget("fb0");
    EXPECT_EQ(display.FindRenderTarget("fb0"), nullptr);
    EXPECT_EQ(display.GetCurrentTarget(), nullptr);
    EXPECT_EQ(Integer(GL_FRAMEBUFFER_BINDING), 0);
    GLint viewport[4];
    Viewport(viewport);
    EXPECT_EQ(viewport[2], static_cast<GLint>(kWidth));
    EXPECT_EQ(viewport[3], static_cast<GLint>(kHeight));
}

Image SolidImage(PixelFormat format, int32_t width, int32_t height) {
    Image image;
    image.name = "solid.tga";
    image.format = format;
    image.width = width;
    image.height = height;
    image.pixels.reset(new uint8_t[image.ByteSize()]());
    return image;
}

TEST_F(GLDisplayTest, TextureSizeIsTheUploadedSize) {
    Image rgba = SolidImage(R8G8B8A8, 300, 200);
    std::unique_ptr<Texture> texture(display.CreateTextureFromImage(nullptr, "rgba", rgba, 1, 1, 1, 1));
    ASSERT_TRUE(texture);
    EXPECT_EQ(texture->GetWidth(), 300);
    EXPECT_EQ(texture->GetHeight(), 200);
    EXPECT_EQ(texture->GetMemorySize(), 240000u);

    Image rgb = SolidImage(R8G8B8, 300, 200);
    std::unique_ptr<Texture> smaller(display.CreateTextureFromImage(nullptr, "rgb", rgb, 0, 0, 0, 0));
    ASSERT_TRUE(smaller);
    EXPECT_EQ(smaller->GetMemorySize(), 180000u);
}

TEST_F(GLDisplayTest, SecondCreateFailsAndKeepsTheFirstObject) {
    Image image = SolidImage(R8G8B8, 4, 4);
    std::unique_ptr<Texture> texture(display.CreateTextureFromImage(nullptr, "t", image, 1, 1, 1, 1));
    std::unique_ptr<Shader> shader(display.CreateShader(nullptr, "s", "void main() {}", VERTEX_SHADER));
    std::unique_ptr<ShaderProgram> program(display.CreateShaderProgram(nullptr, "p"));
    std::unique_ptr<VertexBuffer> vertices(display.CreateVertexBuffer(4, 8, false, nullptr));
    std::unique_ptr<IndexBuffer> indices(display.CreateIndexBuffer(6, 2, false, nullptr));
    std::unique_ptr<RenderTarget> target(display.CreateRenderTarget(16, 16));
    ASSERT_TRUE(texture && shader && program && vertices && indices && target);

    const GLuint names[] = {texture->GetGLName(), shader->GetGLName(), program->GetGLName(), vertices->GetGLName(),
                            indices->GetGLName(), target->GetFramebuffer()};
    EXPECT_FALSE(texture->CreateFromImage(image, 1, 1, 1, 1));
    EXPECT_FALSE(texture->Create(8, 8, R8G8B8, 0, 0, 0, 0));
    EXPECT_FALSE(shader->Create("void main() {}"));
    EXPECT_FALSE(program->Create());
    EXPECT_FALSE(vertices->Create(1, 1, false, nullptr));
    EXPECT_FALSE(indices->Create(1, 1, false, nullptr));
    EXPECT_FALSE(target->Create(8, 8));
    const GLuint after[] = {texture->GetGLName(), shader->GetGLName(), program->GetGLName(), vertices->GetGLName(),
                            indices->GetGLName(), target->GetFramebuffer()};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(after[i], names[i]) << i;
    EXPECT_EQ(texture->GetWidth(), 4);
    EXPECT_EQ(vertices->GetCount(), 4u);
    EXPECT_TRUE(shader->Compile());
    target->Release();
}

const char* const kVertexSource =
    "#version 330\n"
    "layout(location = 0) in vec2 aPosition;\n"
    "void main() { gl_Position = vec4(aPosition, 0.0, 1.0); }\n";
const char* const kFragmentSource =
    "#version 330\n"
    "uniform vec3 uColor;\n"
    "out vec4 fragColor;\n"
    "void main() { fragColor = vec4(uColor, 1.0); }\n";

TEST_F(GLDisplayTest, DrawIntoARenderTargetReadsBackTheColour) {
    ResourceReference vertex(new ResourceHandle(std::unique_ptr<Resource>(
        display.CreateShader(nullptr, "v", kVertexSource, VERTEX_SHADER))));
    ResourceReference fragment(new ResourceHandle(std::unique_ptr<Resource>(
        display.CreateShader(nullptr, "f", kFragmentSource, FRAGMENT_SHADER))));
    ASSERT_TRUE(vertex.As<Shader>()->Compile() && fragment.As<Shader>()->Compile());
    std::unique_ptr<ShaderProgram> program(display.CreateShaderProgram(nullptr, "v|f"));
    program->AttachShader(vertex);
    program->AttachShader(fragment);
    ASSERT_TRUE(program->Link());

    // A quad that covers the left half of the target only.
    const float corners[] = {-1.0f, -1.0f, 0.0f, -1.0f, 0.0f, 1.0f, -1.0f, 1.0f};
    const uint16_t quad[] = {0, 1, 2, 0, 2, 3};
    std::unique_ptr<VertexBuffer> vertices(display.CreateVertexBuffer(4, 8, false, corners));
    std::unique_ptr<IndexBuffer> indices(display.CreateIndexBuffer(6, 2, false, quad));
    VertexLayout layout;
    layout.Add(0, ATTRIBUTE_FLOAT, 2);

    RenderTarget* target = display.GetRenderTarget("main_post_fx", 64, 64);
    ASSERT_TRUE(target);
    RenderTarget* previous = display.SetRenderTarget(target);
    const float red[4] = {1.0f, 0.0f, 0.0f, 1.0f};
    display.SetClearColor(red);
    display.Clear(CLEAR_COLOR | CLEAR_DEPTH);
    const float green[3] = {0.0f, 1.0f, 0.0f};
    program->SetVec3("uColor", green);
    display.DrawMesh(vertices.get(), layout, indices.get(), PRIMITIVE_TRIANGLES, 6);

    uint8_t left[4] = {};
    uint8_t right[4] = {};
    glReadPixels(16, 32, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, left);
    glReadPixels(48, 32, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, right);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    EXPECT_EQ(left[0], 0);
    EXPECT_EQ(left[1], 255);
    EXPECT_EQ(left[2], 0);
    EXPECT_EQ(right[0], 255);
    EXPECT_EQ(right[1], 0);
    display.SetRenderTarget(previous);
}

void PushKey(SDL_Keycode key) {
    SDL_Event event;
    SDL_zero(event);
    event.type = SDL_KEYDOWN;
    event.key.keysym.sym = key;
    SDL_PushEvent(&event);
}

TEST_F(GLDisplayTest, EscapeEndsTheLoopAndOtherKeysDoNot) {
    while (display.ProcessMessages()) {
        // drain what the window system sent on opening
        if (SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) == 0)
            break;
    }
    PushKey(SDLK_a);
    PushKey(SDLK_SPACE);
    EXPECT_TRUE(display.ProcessMessages());
    PushKey(SDLK_ESCAPE);
    EXPECT_FALSE(display.ProcessMessages());

    SDL_Event close;
    SDL_zero(close);
    close.type = SDL_WINDOWEVENT;
    close.window.event = SDL_WINDOWEVENT_CLOSE;
    SDL_PushEvent(&close);
    EXPECT_FALSE(display.ProcessMessages());
}

// A tool that asks before quitting takes Escape and the close request.
TEST_F(GLDisplayTest, EscapeAndCloseTakenByTheListenerDoNotEndTheLoop) {
    while (display.ProcessMessages()) {
        if (SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) == 0)
            break;
    }
    int heard = 0;
    OpenGLWindow::SetEventListener([&heard](const platform::WindowEvent& event) {
        heard += event.type == platform::WindowEventType::KeyDown || event.type == platform::WindowEventType::Close;
        return true;
    });
    SDL_Event close;
    SDL_zero(close);
    close.type = SDL_WINDOWEVENT;
    close.window.event = SDL_WINDOWEVENT_CLOSE;
    PushKey(SDLK_ESCAPE);
    SDL_PushEvent(&close);
    EXPECT_TRUE(display.ProcessMessages());
    EXPECT_EQ(heard, 2);
    OpenGLWindow::SetEventListener([](const platform::WindowEvent&) { return false; });
    SDL_PushEvent(&close);
    EXPECT_FALSE(display.ProcessMessages());
    OpenGLWindow::SetEventListener(nullptr);
}

TEST_F(GLDisplayTest, ResizeSetsTheViewport) {
    SDL_Event resize;
    SDL_zero(resize);
    resize.type = SDL_WINDOWEVENT;
    resize.window.event = SDL_WINDOWEVENT_SIZE_CHANGED;
    resize.window.data1 = 200;
    resize.window.data2 = 100;
    SDL_PushEvent(&resize);
    EXPECT_TRUE(display.ProcessMessages());
    GLint viewport[4];
    Viewport(viewport);
    EXPECT_EQ(viewport[2], 200);
    EXPECT_EQ(viewport[3], 100);
}

TEST_F(GLDisplayTest, FullScreenAtAModeTheScreenRefusesFailsWithTheModeChangeBox) {
    display.Close();
    DisplayMode huge = Windowed(4096, 3072);
    huge.fullscreen = true;
    testing::internal::CaptureStderr();
    EXPECT_FALSE(display.Open(DisplayAdapter(), huge, false));
    std::string boxes = testing::internal::GetCapturedStderr();
    EXPECT_NE(boxes.find("OpenGLWindow::Open()/SDL_SetWindowFullscreen() failed."), std::string::npos) << boxes;
    display.Close();
    EXPECT_FALSE(display.IsOpen());
    ASSERT_TRUE(display.Open(DisplayAdapter(), Windowed(kWidth, kHeight), false));
}

TEST_F(GLDisplayTest, FullScreenAtTheScreensSizeHidesTheCursorUntilClose) {
    SDL_DisplayMode desktop;
    ASSERT_EQ(SDL_GetDesktopDisplayMode(0, &desktop), 0);
    display.Close();
    DisplayMode full = Windowed(static_cast<uint32_t>(desktop.w), static_cast<uint32_t>(desktop.h));
    full.fullscreen = true;
    ASSERT_TRUE(display.Open(DisplayAdapter(), full, true));
    int width = 0;
    int height = 0;
    SDL_GetWindowSize(static_cast<SDL_Window*>(display.GetWindowHandle()), &width, &height);
    EXPECT_EQ(width, desktop.w);
    EXPECT_EQ(height, desktop.h);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
    display.Close();
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE);
    SDL_DisplayMode after;
    ASSERT_EQ(SDL_GetDesktopDisplayMode(0, &after), 0);
    EXPECT_EQ(after.w, desktop.w);
    EXPECT_EQ(after.h, desktop.h);
    ASSERT_TRUE(display.Open(DisplayAdapter(), Windowed(kWidth, kHeight), false));
}

TEST_F(GLDisplayTest, DeeperDepthThanTheDriverOffersGetsTheNearestFormat) {
    display.Close();
    DisplayMode deep = Windowed(kWidth, kHeight);
    deep.depthBits = 32;
    deep.stencilBits = 8;
    ASSERT_TRUE(display.Open(DisplayAdapter(), deep, false));
    EXPECT_GE(Integer(GL_DEPTH_BITS), 16);
}

TEST_F(GLDisplayTest, EnumerationListsAnAdapterAndItsModes) {
    std::vector<DisplayAdapter> adapters;
    ASSERT_TRUE(display.EnumerateAdapters(adapters));
    ASSERT_FALSE(adapters.empty());
    std::vector<DisplayMode> modes;
    EXPECT_TRUE(display.EnumerateModes(adapters[0], modes));
    EXPECT_FALSE(modes.empty());
    EXPECT_TRUE(display.EnumerateModes(adapters[0], modes));  // a second probe works as well
}

}
