// The Demo, whole, on a real window over a copy of data/ with one thing
// changed: the show without post-processing, a mesh without normals, a card
// the precalc worker cannot load, and music that cannot be opened. Needs a
// display (a virtual X server will do); without one every test is skipped.
#include "demo/Demo.h"
#include "demo/RunDemo.h"
#include "demo/post/PostProcessor.h"
#include "engine/core/AppSettings.h"
#include "engine/core/Log.h"
#include "engine/platform/ErrorDialog.h"
#include "engine/render/Display.h"
#include "engine/render/GLFunctions.h"
#include "engine/render/RenderTarget.h"
#include "engine/render/ShaderProgram.h"
#include "tests/gl/GLTestBed.h"
#include "tests/unit/TemporaryDirectory.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr GLenum kUnsignedInt = 0x1405;
constexpr uint32_t kTrackedAttributes = 32;

// What the GL table saw: the vertex attributes' state as the calls left it,
// and, while active, the targets bound, the programs used and the draws.
struct GLTrace {
    bool active = false;
    bool enabled[kTrackedAttributes] = {};
    std::vector<GLuint> framebuffers;
    std::vector<GLuint> programs;
    int draws = 0;
    // Attributes 0 and 1 at each draw with 32-bit indices: only the mesh has those.
    std::vector<std::pair<bool, bool>> meshDraws;
};

GLTrace trace;
GLFunctions passOn;

void ZP_GLAPI TraceBindFramebuffer(GLenum target, GLuint framebuffer) {
    if (trace.active)
        trace.framebuffers.push_back(framebuffer);
    passOn.glBindFramebuffer(target, framebuffer);
}

void ZP_GLAPI TraceUseProgram(GLuint program) {
    if (trace.active)
        trace.programs.push_back(program);
    passOn.glUseProgram(program);
}

void ZP_GLAPI TraceEnable(GLuint index) {
    if (index < kTrackedAttributes)
        trace.enabled[index] = true;
    passOn.glEnableVertexAttribArray(index);
}

void ZP_GLAPI TraceDisable(GLuint index) {
    if (index < kTrackedAttributes)
        trace.enabled[index] = false;
    passOn.glDisableVertexAttribArray(index);
}

void ZP_GLAPI TraceDrawElements(GLenum mode, GLsizei count, GLenum type, const void* indices) {
    if (trace.active) {
        ++trace.draws;
        if (type == kUnsignedInt)
            trace.meshDraws.emplace_back(trace.enabled[0], trace.enabled[1]);
    }
    passOn.glDrawElements(mode, count, type, indices);
}

// Puts the tracing entries into the table (which must be loaded) and takes
// them out again at the end.
class GLTraceScope {
public:
    GLTraceScope() {
        trace = GLTrace();
        passOn = gl;
        gl.glBindFramebuffer = TraceBindFramebuffer;
        gl.glUseProgram = TraceUseProgram;
        gl.glEnableVertexAttribArray = TraceEnable;
        gl.glDisableVertexAttribArray = TraceDisable;
        gl.glDrawElements = TraceDrawElements;
    }
    ~GLTraceScope() {
        gl.glBindFramebuffer = passOn.glBindFramebuffer;
        gl.glUseProgram = passOn.glUseProgram;
        gl.glEnableVertexAttribArray = passOn.glEnableVertexAttribArray;
        gl.glDisableVertexAttribArray = passOn.glDisableVertexAttribArray;
        gl.glDrawElements = passOn.glDrawElements;
    }
    GLTraceScope(const GLTraceScope&) = delete;
    GLTraceScope& operator=(const GLTraceScope&) = delete;
};

struct LoggedLine {
    LogLevel level;
    std::string text;
    std::thread::id thread;
};

// Every line of the log with the thread that wrote it.
class ThreadRecordingSink : public LogSink {
public:
    bool Open() override { return true; }
    void Close() override {}
    void Write(LogLevel level, const std::string& line) override {
        std::lock_guard<std::mutex> guard(lock);
        const size_t end = line.find_last_not_of("\r\n");
        lines.push_back({level, line.substr(0, end == std::string::npos ? 0 : end + 1), std::this_thread::get_id()});
    }
    // The line that ends with the text, or null.
    const LoggedLine* Find(const std::string& text) const {
        for (const LoggedLine& line : lines) {
            if (line.text.size() >= text.size() && line.text.compare(line.text.size() - text.size(), text.size(), text) == 0)
                return &line;
        }
        return nullptr;
    }

    std::mutex lock;
    std::vector<LoggedLine> lines;
};

// One frame of the show, as the GL table saw it.
struct PlayedFrame {
    bool postFx = false;
    double time = 0.0;
    int draws = 0;
    bool boundFrameTarget = false;
    bool usedMainPass = false;
};

// The production's Demo with eyes on it: its log lines and, once the show
// plays, each frame's GL calls. The show ends by itself after a number of
// frames, as at the end of its time line.
class WatchedDemo : public Demo {
public:
    bool OnInit() override {
        GetLog()->AddSink(&sink);
        glTrace = std::make_unique<GLTraceScope>();  // the display has loaded the table
        return Demo::OnInit();
    }

    void OnShutdown() override {
        Demo::OnShutdown();
        glTrace.reset();
        if (GetLog())
            GetLog()->RemoveSink(&sink);
    }

    bool Frame() override {
        const bool playing = GetState() == DemoState::Playing;
        if (playing && static_cast<int>(played.size()) == framesToPlay)
            return false;
        if (playing && played.size() == postFxOnFrom)
            GetSettings()->postFx = true;
        trace.framebuffers.clear();
        trace.programs.clear();
        trace.draws = 0;
        trace.active = playing;
        const bool going = Demo::Frame();
        trace.active = false;
        if (playing)
            played.push_back(Observe());
        return going;
    }

    int framesToPlay = 12;
    // The frame from which postFx is switched on, if any.
    size_t postFxOnFrom = SIZE_MAX;
    ThreadRecordingSink sink;
    std::vector<PlayedFrame> played;

private:
    PlayedFrame Observe() {
        PlayedFrame frame;
        frame.postFx = GetSettings()->postFx;
        frame.time = GetTime().time;
        frame.draws = trace.draws;
        const RenderTarget* target = GetDisplay()->FindRenderTarget("main_post_fx");
        const ResourceReference* mainPass = GetPostProcessor()->FindEffect("mainpostfx");
        for (GLuint framebuffer : trace.framebuffers)
            frame.boundFrameTarget |= target && framebuffer == target->GetFramebuffer();
        for (GLuint program : trace.programs)
            frame.usedMainPass |= mainPass && program == mainPass->As<ShaderProgram>()->GetGLName();
        return frame;
    }

    std::unique_ptr<GLTraceScope> glTrace;
};

// A copy of the production's data, which the test changes and runs in.
class DemoPathsTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!HaveDisplay())
            GTEST_SKIP() << "no display";
        std::filesystem::copy(ZP_SOURCE_DIR "/data", data.path + "/data", std::filesystem::copy_options::recursive);
        settings.fullscreen = false;
        settings.width = 320;
        settings.height = 240;
        settings.vsync = false;
        settings.music = false;
        settings.usePak = false;
    }

    std::string Path(const std::string& relative) const { return data.path + "/" + relative; }

    int Run(WatchedDemo& demo) {
        WorkingDirectoryScope workingDirectory{data.path};
        return RunDemo(demo, settings);
    }

    TemporaryDirectory data;
    AppSettings settings;
};

uint32_t Word(const std::string& bytes, size_t at) {
    uint32_t value = 0;
    std::memcpy(&value, bytes.data() + at, sizeof value);  // the files are little-endian, as is the host
    return value;
}

// The same mesh file with its normal section emptied.
std::string WithoutNormals(const std::string& mesh) {
    const size_t normalsAt = 4 + size_t{Word(mesh, 0)} * 12;
    const size_t texCoordsAt = normalsAt + 4 + size_t{Word(mesh, normalsAt)} * 12;
    return mesh.substr(0, normalsAt) + std::string(4, '\0') + mesh.substr(texCoordsAt);
}

}

TEST_F(DemoPathsTest, WithoutPostFxTheShowDrawsStraightToTheScreenWithoutTheMainPass) {
    settings.postFx = false;
    WatchedDemo demo;
    demo.postFxOnFrom = 8;  // the last frames, with it on, show the trace sees the pass
    ASSERT_EQ(Run(demo), 0);

    ASSERT_EQ(demo.played.size(), 12u);
    for (size_t i = 0; i < demo.played.size(); ++i) {
        const PlayedFrame& frame = demo.played[i];
        SCOPED_TRACE("frame " + std::to_string(i));
        EXPECT_GT(frame.draws, 0);
        // The fade and the flash live in the main pass alone.
        EXPECT_EQ(frame.boundFrameTarget, frame.postFx);
        EXPECT_EQ(frame.usedMainPass, frame.postFx);
    }
    EXPECT_FALSE(demo.played[7].postFx);
    EXPECT_TRUE(demo.played[8].postFx);
}

TEST_F(DemoPathsTest, AMeshWithoutNormalsDrawsWithAttributeOneDisabled) {
    const std::string mesh = ReadTestFile(Path("data/objects/spiky_fat.mesh"));
    ASSERT_GT(Word(mesh, 4 + size_t{Word(mesh, 0)} * 12), 0u) << "the production's mesh has normals";

    WatchedDemo withNormals;
    ASSERT_EQ(Run(withNormals), 0);
    ASSERT_FALSE(trace.meshDraws.empty());
    for (const auto& [position, normal] : trace.meshDraws) {
        EXPECT_TRUE(position);
        EXPECT_TRUE(normal);
    }

    WriteTestFile(Path("data/objects/spiky_fat.mesh"), WithoutNormals(mesh));
    WatchedDemo withoutNormals;
    ASSERT_EQ(Run(withoutNormals), 0);
    ASSERT_EQ(withoutNormals.played.size(), 12u);
    ASSERT_FALSE(trace.meshDraws.empty()) << "the mesh was not drawn";
    for (const auto& [position, normal] : trace.meshDraws) {
        EXPECT_TRUE(position);
        EXPECT_FALSE(normal);
    }
}

TEST_F(DemoPathsTest, ACardTheWorkerCannotLoadIsLoggedThereBoxedOnTheMainThreadAndExitsOne) {
    std::filesystem::remove(Path("data/textures/festa.tga"));
    WatchedDemo demo;
    testing::internal::CaptureStderr();
    const int exitCode = Run(demo);
    const std::string err = testing::internal::GetCapturedStderr();

    EXPECT_EQ(exitCode, 1);
    EXPECT_TRUE(demo.PrecalcFailed());
    EXPECT_TRUE(demo.played.empty());
    const std::string message = "Cannot load image from file 'data/textures/festa.tga'.";
    const LoggedLine* line = demo.sink.Find(message);
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->level, LOG_ERROR);
    EXPECT_NE(line->thread, std::this_thread::get_id()) << "written by the main thread";
    // The worker raised the box; it was queued, and the main thread took it
    // off the queue before the run ended.
    EXPECT_NE(err.find("Application error: " + message), std::string::npos) << err;
    EXPECT_EQ(platform::ShowPendingErrorBoxes(), 0);
}

// Needs a sound device that opens without hardware: SDL's disk driver. The
// Windows build has DirectSound, which finds no device under Wine here.
#ifndef _WIN32
TEST_F(DemoPathsTest, MusicThatCannotBeOpenedLeavesTheShowOnTheClock) {
    WriteTestFile(Path("data/music/zephal_ethereal.ogg"), "RIFF, not Ogg Vorbis");
    settings.music = true;
    // A sound device that plays into nothing: only the file can fail.
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", "/dev/null", 1);
    WatchedDemo demo;
    demo.framesToPlay = 30;
    const int exitCode = Run(demo);
    unsetenv("SDL_AUDIODRIVER");
    unsetenv("SDL_DISKAUDIOFILE");

    EXPECT_EQ(exitCode, 0);
    const LoggedLine* line = demo.sink.Find("Could not open music file.");
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->level, LOG_ERROR);
    EXPECT_FALSE(settings.music) << "the music is off for the rest of the run";
    EXPECT_EQ(demo.sink.Find("Starting music playback..."), nullptr);
    ASSERT_EQ(demo.played.size(), 30u);
    EXPECT_GT(demo.played.back().time, demo.played.front().time) << "the clock runs the show";
    for (const PlayedFrame& frame : demo.played)
        EXPECT_GT(frame.draws, 0);
}
#endif
