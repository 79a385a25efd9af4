#include "engine/platform/GLLibrary.h"
#include "engine/render/GLConstants.h"
#include "tests/gl/GLTestBed.h"
#include "tools/live/LiveOverlay.h"
#include "tools/shared/FrameGrab.h"

#include <cstdlib>
#include <string>

namespace {

// Queries of state the engine caches, beyond what its GL table holds.
constexpr GLenum kArrayBufferBinding = 0x8894;
constexpr GLenum kElementArrayBufferBinding = 0x8895;
constexpr GLenum kBlendSrcRgb = 0x80C9;
constexpr GLenum kBlendDstRgb = 0x80C8;
constexpr GLenum kViewport = 0x0BA2;
constexpr GLenum kActiveTexture = 0x84E0;
constexpr GLenum kTextureBinding2D = 0x8069;
constexpr GLenum kScissorTest = 0x0C11;

using GetIntegerv = void(ZP_GLAPI*)(GLenum, GLint*);
using IsEnabled = GLboolean(ZP_GLAPI*)(GLenum);
using DrawPixels = void(ZP_GLAPI*)(GLsizei, GLsizei, GLenum, GLenum, const void*);
using WindowPos2i = void(ZP_GLAPI*)(GLint, GLint);

constexpr int kWidth = 640;
constexpr int kHeight = 360;

// A show of 64 seconds, 4-second patterns, two entries active at 20.5 s.
OverlayModel SampleModel() {
    OverlayModel model;
    model.time = 20.5;
    model.showEnd = 64.0;
    model.patternLength = 4.0;
    model.beatLength = 1.0;
    model.clock = "00:20.500";
    model.musical = "5.0";
    model.looping = true;
    model.entries = {
        {"intro", 0, 0, 0.0, 16.0, false},
        {"tunnel", 2, 0, 16.0, 40.0, true},
        {"title", 1, 1, 18.0, 26.0, true},
        {"outro", 0, 0, 40.0, 64.0, false},
    };
    model.fade = 0.85;
    model.flash = 0.2;
    model.fps = 59.9;
    model.cpuMs = 3.21;
    model.gpuMs = 1.42;
    model.gpuTimer = true;
    model.glCalls = 412;
    model.drawCalls = 17;
    model.reloads = {
        {"shaders/tunnel.frag", false, "41: error: 'fog' undeclared", "12:01:07", "fail"},
        {"shaders/title.frag", true, "ok", "12:00:58", "ok"},
    };
    return model;
}

platform::WindowEvent Mouse(platform::WindowEventType type, int x, int y) {
    platform::WindowEvent event;
    event.type = type;
    event.button = platform::MouseButton::Left;
    event.x = x;
    event.y = y;
    return event;
}

bool SamePixel(const RgbPicture& picture, int x, int y, uint8_t r, uint8_t g, uint8_t b) {
    const uint8_t* p = &picture.rgb[(static_cast<size_t>(y) * picture.width + x) * 3];
    return p[0] == r && p[1] == g && p[2] == b;
}

class LiveOverlayTest : public GLTestBed {
protected:
    void SetUp() override {
        OpenDisplay(kWidth, kHeight);
        if (IsSkipped() || HasFatalFailure())
            return;
        getIntegerv = reinterpret_cast<GetIntegerv>(platform::GetGLProcAddress("glGetIntegerv"));
        isEnabled = reinterpret_cast<IsEnabled>(platform::GetGLProcAddress("glIsEnabled"));
        ASSERT_TRUE(getIntegerv && isEnabled);
        ASSERT_TRUE(overlay.Init(kWidth, kHeight));
    }

    void TearDown() override {
        overlay.Shutdown();
        if (display.IsOpen())
            CloseDisplay();
    }

    // A plain frame of one colour, as the show's final pass would leave it.
    void ClearTo(float r, float g, float b) {
        const float rgba[4] = {r, g, b, 1.0f};
        display.SetRenderTarget(nullptr);
        display.SetClearColor(rgba);
        display.Clear(CLEAR_COLOR | CLEAR_DEPTH);
    }

    GLint Integer(GLenum name) {
        GLint value[4] = {};
        getIntegerv(name, value);
        return value[0];
    }

    GLuint LinkedProgram() {
        const char* vertex = "#version 130\nvoid main() { gl_Position = vec4(0.0); }\n";
        const char* fragment = "#version 130\nout vec4 colour;\nvoid main() { colour = vec4(1.0); }\n";
        GLuint program = gl.glCreateProgram();
        for (auto [type, source] : {std::pair{GL_VERTEX_SHADER, vertex}, std::pair{GL_FRAGMENT_SHADER, fragment}}) {
            GLuint shader = gl.glCreateShader(type);
            gl.glShaderSource(shader, 1, &source, nullptr);
            gl.glCompileShader(shader);
            gl.glAttachShader(program, shader);
            gl.glDeleteShader(shader);
        }
        gl.glLinkProgram(program);
        GLint linked = 0;
        gl.glGetProgramiv(program, GL_LINK_STATUS, &linked);
        EXPECT_EQ(linked, GL_TRUE);
        return program;
    }

    LiveOverlay overlay;
    GetIntegerv getIntegerv = nullptr;
    IsEnabled isEnabled = nullptr;
};

TEST_F(LiveOverlayTest, DrawsAPanelAndAScrubBarOverTheFrameAndHiddenOnlyABadgeForBrokenFiles) {
    if (IsSkipped() || HasFatalFailure())
        return;
    OverlayModel model = SampleModel();
    // A window that fits its content shows from its second frame.
    for (int frame = 0; frame < 2; ++frame) {
        ClearTo(0.0f, 1.0f, 0.0f);
        EXPECT_LT(overlay.Draw(model, 1.0 / 60), 0.0);
    }
    RgbPicture picture;
    GrabFrame(kWidth, kHeight, picture);

    // The panel's translucent backdrop darkens the green at the top left but
    // lets it through; its text is light.
    const uint8_t* inPanel = &picture.rgb[(static_cast<size_t>(16) * kWidth + 150) * 3];
    EXPECT_LT(inPanel[1], 160) << "panel not drawn";
    EXPECT_GT(inPanel[1], 30) << "panel not translucent";
    int light = 0;
    for (int y = 8; y < 120; ++y)
        for (int x = 8; x < 300; ++x) {
            const uint8_t* p = &picture.rgb[(static_cast<size_t>(y) * kWidth + x) * 3];
            light += p[0] > 180 && p[2] > 180;
        }
    EXPECT_GT(light, 300) << "no text in the panel";
    // The scrub bar runs along the bottom; the middle of the frame is the show's.
    EXPECT_FALSE(SamePixel(picture, kWidth / 2, kHeight - 30, 0, 255, 0));
    EXPECT_TRUE(SamePixel(picture, kWidth * 3 / 4, kHeight / 2, 0, 255, 0));
    EXPECT_TRUE(SamePixel(picture, kWidth - 3, 3, 0, 255, 0));

    overlay.SetVisible(false);
    ClearTo(0.0f, 1.0f, 0.0f);
    EXPECT_LT(overlay.Draw(model, 1.0 / 60), 0.0);
    GrabFrame(kWidth, kHeight, picture);
    for (int y = 0; y < kHeight; y += 7)
        for (int x = 0; x < kWidth; x += 7)
            ASSERT_TRUE(SamePixel(picture, x, y, 0, 255, 0)) << x << "," << y;

    // Hidden with a file broken: a badge at the top left, and nothing else.
    model.broken = {{"shaders/tunnel.frag", false, "41: error: 'fog' undeclared", "", "fail"}};
    for (int frame = 0; frame < 2; ++frame) {
        ClearTo(0.0f, 1.0f, 0.0f);
        overlay.Draw(model, 1.0 / 60);
    }
    GrabFrame(kWidth, kHeight, picture);
    EXPECT_FALSE(SamePixel(picture, 20, 20, 0, 255, 0)) << "no badge";
    for (int y = 60; y < kHeight; y += 7)
        for (int x = 0; x < kWidth; x += 7)
            ASSERT_TRUE(SamePixel(picture, x, y, 0, 255, 0)) << x << "," << y;
}

TEST_F(LiveOverlayTest, LeavesTheStateTheEngineCachesAsItFoundIt) {
    if (IsSkipped() || HasFatalFailure())
        return;
    GLuint program = LinkedProgram();
    GLuint buffers[2] = {};
    gl.glGenBuffers(2, buffers);
    OverlayModel model = SampleModel();

    // Once with everything the overlay needs set otherwise, once with it all off.
    for (bool on : {true, false}) {
        SCOPED_TRACE(on ? "state set" : "state cleared");
        display.SetDepthTest(on);
        display.SetBlending(on);
        display.SetBlendFunc(BLEND_ONE, on ? BLEND_ONE : BLEND_ZERO);
        display.SetCulling(on);
        display.BindProgram(on ? program : 0);
        display.BindVertexBufferName(on ? buffers[0] : 0);
        display.BindIndexBufferName(on ? buffers[1] : 0);
        gl.glViewport(0, 0, kWidth / 2, kHeight / 2);
        overlay.Draw(model, 1.0 / 60);

        EXPECT_EQ(Integer(GL_CURRENT_PROGRAM), static_cast<GLint>(on ? program : 0));
        EXPECT_EQ(Integer(kArrayBufferBinding), static_cast<GLint>(on ? buffers[0] : 0));
        EXPECT_EQ(Integer(kElementArrayBufferBinding), static_cast<GLint>(on ? buffers[1] : 0));
        EXPECT_EQ(isEnabled(GL_BLEND), on ? GL_TRUE : GL_FALSE);
        EXPECT_EQ(isEnabled(GL_DEPTH_TEST), on ? GL_TRUE : GL_FALSE);
        EXPECT_EQ(isEnabled(GL_CULL_FACE), on ? GL_TRUE : GL_FALSE);
        EXPECT_EQ(isEnabled(kScissorTest), GL_FALSE);
        EXPECT_EQ(Integer(kBlendSrcRgb), GL_ONE);
        EXPECT_EQ(Integer(kBlendDstRgb), on ? GL_ONE : GL_ZERO);
        EXPECT_EQ(Integer(kActiveTexture), GL_TEXTURE0);
        EXPECT_EQ(Integer(kTextureBinding2D), 0);
        GLint viewport[4] = {};
        getIntegerv(kViewport, viewport);
        EXPECT_EQ(viewport[2], kWidth / 2);
        EXPECT_EQ(viewport[3], kHeight / 2);
        EXPECT_EQ(gl.glGetError(), 0u);
    }
    display.BindProgram(0);
    display.ForgetProgram(program);
    gl.glDeleteProgram(program);
    display.BindVertexBufferName(0);
    display.BindIndexBufferName(0);
    gl.glDeleteBuffers(2, buffers);
}

TEST_F(LiveOverlayTest, AClickOrADragOnTheScrubBarSeeksAndIsTakenFromTheShow) {
    if (IsSkipped() || HasFatalFailure())
        return;
    using platform::WindowEventType;
    OverlayModel model = SampleModel();
    const int barY = kHeight - 30;
    overlay.Draw(model, 1.0 / 60);
    overlay.Draw(model, 1.0 / 60);

    // A press in the open is the show's; so is a move without a drag.
    const int openX = kWidth * 3 / 4, openY = kHeight / 2;
    EXPECT_FALSE(overlay.HandleEvent(Mouse(WindowEventType::MouseMove, openX, openY)));
    EXPECT_FALSE(overlay.HandleEvent(Mouse(WindowEventType::MouseDown, openX, openY)));
    EXPECT_LT(overlay.Draw(model, 1.0 / 60), 0.0);
    EXPECT_FALSE(overlay.HandleEvent(Mouse(WindowEventType::MouseUp, openX, openY)));
    // A press on the panel is the overlay's, and seeks nothing.
    EXPECT_TRUE(overlay.HandleEvent(Mouse(WindowEventType::MouseDown, 40, 40)));
    EXPECT_LT(overlay.Draw(model, 1.0 / 60), 0.0);
    EXPECT_TRUE(overlay.HandleEvent(Mouse(WindowEventType::MouseUp, 40, 40)));
    EXPECT_LT(overlay.Draw(model, 1.0 / 60), 0.0);

    // A click whose press and release both come before the next frame still
    // seeks, to about the middle of the show for the middle of the bar.
    EXPECT_TRUE(overlay.HandleEvent(Mouse(WindowEventType::MouseDown, kWidth / 2, barY)));
    EXPECT_TRUE(overlay.HandleEvent(Mouse(WindowEventType::MouseUp, kWidth / 2, barY)));
    double seek = overlay.Draw(model, 1.0 / 60);
    EXPECT_NEAR(seek, model.showEnd / 2, model.showEnd * 0.05);
    EXPECT_LT(overlay.Draw(model, 1.0 / 60), 0.0);

    // A drag seeks at every move, and holds at the end past the bar's edge,
    // even outside the window; its moves and release are the overlay's.
    EXPECT_TRUE(overlay.HandleEvent(Mouse(WindowEventType::MouseDown, kWidth / 4, barY)));
    double first = overlay.Draw(model, 1.0 / 60);
    EXPECT_GT(first, 0.0);
    EXPECT_LT(first, seek);
    EXPECT_LT(overlay.Draw(model, 1.0 / 60), 0.0) << "no move, no new seek";
    EXPECT_TRUE(overlay.HandleEvent(Mouse(WindowEventType::MouseMove, kWidth + 50, kHeight / 2)));
    EXPECT_DOUBLE_EQ(overlay.Draw(model, 1.0 / 60), model.showEnd);
    EXPECT_TRUE(overlay.HandleEvent(Mouse(WindowEventType::MouseMove, -50, barY)));
    EXPECT_DOUBLE_EQ(overlay.Draw(model, 1.0 / 60), 0.0);
    EXPECT_TRUE(overlay.HandleEvent(Mouse(WindowEventType::MouseUp, -50, barY)));
    EXPECT_LT(overlay.Draw(model, 1.0 / 60), 0.0);
    EXPECT_FALSE(overlay.HandleEvent(Mouse(WindowEventType::MouseMove, kWidth / 2, barY)));

    // Hidden, the overlay takes nothing.
    overlay.SetVisible(false);
    overlay.Draw(model, 1.0 / 60);
    EXPECT_FALSE(overlay.HandleEvent(Mouse(WindowEventType::MouseDown, kWidth / 2, barY)));
    EXPECT_LT(overlay.Draw(model, 1.0 / 60), 0.0);
}

// The tracker panel right of the panel: its grid and keys drawn, a click on
// its rows places the cursor there, a drag of a key in the curve sets its value.
TEST_F(LiveOverlayTest, TheTrackerPanelDrawsAndTurnsClicksAndDragsIntoEdits) {
    if (IsSkipped() || HasFatalFailure())
        return;
    OverlayModel model = SampleModel();
    TrackerModel& tracker = model.tracker;
    tracker.open = true;
    tracker.rowCount = overlay.TrackerRoomNow().rows;
    tracker.cursorRow = 4;
    TrackerSlot slot;
    slot.group = slot.name = "glow";
    slot.groupStart = true;
    slot.keys = {{0, 1.0f, SyncInterpolation::Linear}, {4, 3.0f, SyncInterpolation::Step}};
    tracker.slots = {slot};
    tracker.hasCurve = true;
    tracker.curveKeys = slot.keys;
    for (int i = 0; i <= tracker.rowCount * TrackerModel::kCurveSamples; ++i)
        tracker.curve.push_back(i < 4 * TrackerModel::kCurveSamples ? 1.0f + i / 8.0f : 3.0f);
    for (int frame = 0; frame < 2; ++frame) {
        ClearTo(0.0f, 1.0f, 0.0f);
        overlay.Draw(model, 1.0 / 60);
    }
    RgbPicture picture;
    GrabFrame(kWidth, kHeight, picture);
    EXPECT_FALSE(SamePixel(picture, kWidth - 20, kHeight / 2, 0, 255, 0)) << "no tracker panel";
    EXPECT_TRUE(overlay.TakeTrackerInput().toggleGroup.empty());

    // Row 2 of the first column: 3 header lines, then 14 pixels a row.
    const int x = 380 + 6 + 44 + 20, y = 10 + 6 + 48 + 2 * 14 + 5;
    EXPECT_TRUE(overlay.HandleEvent(Mouse(platform::WindowEventType::MouseDown, x, y)));
    EXPECT_TRUE(overlay.HandleEvent(Mouse(platform::WindowEventType::MouseUp, x, y)));
    overlay.Draw(model, 1.0 / 60);
    TrackerInput input = overlay.TakeTrackerInput();
    EXPECT_TRUE(input.clicked);
    EXPECT_EQ(input.row, 2);
    EXPECT_EQ(input.column, 0u);
    overlay.Draw(model, 1.0 / 60);  // the release, as the next frame sees it

    // The key at row 4 sits at the top of the curve (its highest value);
    // dragged to the bottom it takes the lowest.
    const float curveLeft = 380 + 6 + 44, rowWidth = (kWidth - 10 - 6 - curveLeft) / tracker.rowCount;
    const int keyX = static_cast<int>(curveLeft + 4 * rowWidth);
    const int curveTop = 10 + 6 + 48 + tracker.rowCount * 14 + 4;
    overlay.HandleEvent(Mouse(platform::WindowEventType::MouseMove, keyX, curveTop + 16));
    overlay.HandleEvent(Mouse(platform::WindowEventType::MouseDown, keyX, curveTop + 16));
    overlay.Draw(model, 1.0 / 60);
    input = overlay.TakeTrackerInput();
    EXPECT_TRUE(input.dragStarted);
    EXPECT_EQ(input.dragRow, 4);
    overlay.HandleEvent(Mouse(platform::WindowEventType::MouseMove, keyX, kHeight));
    overlay.Draw(model, 1.0 / 60);
    input = overlay.TakeTrackerInput();
    EXPECT_TRUE(input.dragging);
    EXPECT_NEAR(input.dragValue, 1.0f, 1e-4f);
    overlay.HandleEvent(Mouse(platform::WindowEventType::MouseUp, keyX, kHeight));
}

// With ZP_OVERLAY_SHOT set, writes a picture of the overlay there, over the
// PNG named by ZP_OVERLAY_BACKGROUND (a frame of the show at the test's
// size, e.g. from zpcapture --size 640x360) or over a plain frame.
TEST_F(LiveOverlayTest, Screenshot) {
    if (IsSkipped() || HasFatalFailure())
        return;
    const char* shot = std::getenv("ZP_OVERLAY_SHOT");
    if (!shot || !*shot)
        GTEST_SKIP() << "ZP_OVERLAY_SHOT not set";
    RgbPicture background;
    const char* backgroundPath = std::getenv("ZP_OVERLAY_BACKGROUND");
    if (backgroundPath && *backgroundPath) {
        std::string error;
        ASSERT_TRUE(ReadPngFile(backgroundPath, background, error)) << error;
        ASSERT_EQ(background.width, kWidth);
        ASSERT_EQ(background.height, kHeight);
    }
    auto drawPixels = reinterpret_cast<DrawPixels>(platform::GetGLProcAddress("glDrawPixels"));
    auto windowPos = reinterpret_cast<WindowPos2i>(platform::GetGLProcAddress("glWindowPos2i"));
    ASSERT_TRUE(drawPixels && windowPos);
    OverlayModel model = SampleModel();
    for (int frame = 0; frame < 3; ++frame) {
        ClearTo(0.1f, 0.1f, 0.14f);
        if (!background.rgb.empty()) {
            display.UnbindShaderProgram();
            gl.glPixelStorei(0x0CF5 /* GL_UNPACK_ALIGNMENT */, 1);
            // Rows bottom first, as GL counts them.
            for (int y = 0; y < kHeight; ++y) {
                windowPos(0, kHeight - 1 - y);
                drawPixels(kWidth, 1, GL_RGB, GL_UNSIGNED_BYTE, &background.rgb[static_cast<size_t>(y) * kWidth * 3]);
            }
        }
        overlay.HandleEvent(Mouse(platform::WindowEventType::MouseMove, 420, kHeight - 30));
        overlay.Draw(model, 1.0 / 60);
    }
    RgbPicture picture;
    GrabFrame(kWidth, kHeight, picture);
    EXPECT_TRUE(WritePngFile(shot, picture));
}

}  // namespace
