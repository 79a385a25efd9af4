// Tracks reaching real pictures: a shader's `sync_` uniform, a scene's own
// value, and the list of every track the show offers, held against
// docs/sync-tracks.md.
#include <GL/gl.h>

#include "demo/Demo.h"
#include "demo/DemoContext.h"
#include "demo/draw/ShaderQuad.h"
#include "demo/post/PostSetup.h"
#include "demo/scenes/RaymarchScene.h"
#include "engine/core/AppSettings.h"
#include "engine/core/EntryPoint.h"
#include "engine/render/UniformSet.h"
#include "engine/sync/SyncTrackFile.h"
#include "tests/gl/GLTestBed.h"
#include "tests/unit/TemporaryDirectory.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

constexpr uint32_t kSize = 64;

std::vector<uint8_t> ReadFrame() {
    std::vector<uint8_t> rgb(kSize * kSize * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, kSize, kSize, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    return rgb;
}

// Scenes reach this set through the context, as they reach the show's.
class TrackContext : public DemoContext {
public:
    PostProcessor* GetPostProcessor() override { return nullptr; }
    EnvelopeTrack* GetEnvelopeTrack() override { return nullptr; }
    const Tempo* GetTempo() override { return nullptr; }
    SyncTrackSet* GetSyncTracks() override { return &tracks; }
    SyncTrackSet tracks;
};

class SyncTracksRenderTest : public GLTestBed {
protected:
    void SetUp() override {
        OpenDisplay(kSize, kSize);
        if (IsSkipped() || HasFatalFailure())
            return;
        SetDemoContext(&context);
    }
    void TearDown() override {
        SetDemoContext(nullptr);
        if (!IsSkipped())
            CloseDisplay();
    }

    TrackContext context;
};

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The table of docs/sync-tracks.md, as the show's track set makes it.
std::string TrackTable(const SyncTrackSet& tracks) {
    std::string table = "| track | file | default |\n|---|---|---|\n";
    for (size_t i = 0; i < tracks.Count(); ++i)
        table += "| `" + tracks.At(i).Name() + "` | `" + SyncTrackFileName(tracks.At(i).Name()) + "` | " +
                 tracks.DefaultText(i) + " |\n";
    return table;
}

}

TEST_F(SyncTracksRenderTest, AUniformTakesItsTrackAndFallsBackToItsInitialiser) {
    if (IsSkipped())
        return;
    TemporaryDirectory directory;
    std::filesystem::create_directories(directory.path + "/data/shaders/base");
    std::filesystem::copy(ZP_SOURCE_DIR "/data/shaders/base/basic2d.vs", directory.path + "/data/shaders/base");
    std::ofstream(directory.path + "/red.fs") << "#version 330\n"
                                                 "uniform float sync_red = 0.25; // a quarter until keyed\n"
                                                 "out vec4 fragColor;\n"
                                                 "void main() { fragColor = vec4(sync_red, 0.0, 0.0, 1.0); }\n";
    WorkingDirectoryScope inDirectory(directory.path);
    ShaderQuad quad;
    ASSERT_TRUE(quad.Init("red.fs"));
    UniformSet none;
    SyncTrackSet& tracks = context.tracks;
    const auto redAfterApplying = [&] {
        programs.ApplySyncTracks(tracks);
        quad.Draw(none, 0.0f, 0.0f, 1.0f, 1.0f);
        const std::vector<uint8_t> frame = ReadFrame();
        return static_cast<int>(frame[(kSize / 2 * kSize + kSize / 2) * 3]);
    };

    EXPECT_NEAR(redAfterApplying(), 64, 1);
    ASSERT_NE(tracks.Find("red"), nullptr) << "the uniform offers its track";
    EXPECT_EQ(tracks.DefaultText(static_cast<size_t>(tracks.IndexOf("red"))), "uniform, 0.25");
    tracks.Find("red")->SetKey({0, 1.0f, SyncInterpolation::Step});
    EXPECT_EQ(redAfterApplying(), 255);
    tracks.Find("red")->DeleteKey(0);
    EXPECT_NEAR(redAfterApplying(), 64, 1) << "without keys the initialiser's value comes back";

    // Saved with a second uniform: the reload offers its track at the next frame.
    std::ofstream(directory.path + "/red.fs") << "#version 330\n"
                                                 "uniform float sync_red = 0.25;\n"
                                                 "uniform float sync_green = 0.5;\n"
                                                 "out vec4 fragColor;\n"
                                                 "void main() { fragColor = vec4(sync_red, sync_green, 0.0, 1.0); }\n";
    shaders.OnFileChanged("red.fs");
    EXPECT_NEAR(redAfterApplying(), 64, 1);
    EXPECT_NE(tracks.Find("green"), nullptr);
}

TEST_F(SyncTracksRenderTest, ASceneValuesTrackReplacesTheCodesValue) {
    if (IsSkipped())
        return;
    WorkingDirectoryScope inSource(ZP_SOURCE_DIR);
    SpheresScene spheres;
    ASSERT_TRUE(spheres.Init());
    const auto frameAt = [&](double time) {
        DemoTime now{time, 1.0 / 60.0};
        spheres.Update(&now);
        spheres.Render();
        return ReadFrame();
    };
    const std::vector<uint8_t> atTen = frameAt(10.0);
    ASSERT_NE(frameAt(20.0), atTen) << "the spheres move";
    context.tracks.Find("spheres.uTime")->SetKey({0, 10.0f, SyncInterpolation::Step});
    EXPECT_EQ(frameAt(20.0), atTen) << "the track's time stands for the code's";
    spheres.Release();
}

TEST(SyncTrackListTest, TheDocumentListsEveryTrackTheShowOffers) {
    if (!HaveDisplay())
        GTEST_SKIP() << "no display";
    WorkingDirectoryScope inSource(ZP_SOURCE_DIR);
    AppSettings settings;
    settings.fullscreen = false;
    settings.width = 320;
    settings.height = 240;
    settings.music = false;
    settings.usePak = false;
    Demo demo;
    ASSERT_TRUE(demo.Init(&settings));
    const std::string table = TrackTable(*demo.GetSyncTracks());
    ShutdownApplication(demo);

    const std::string path = ZP_SOURCE_DIR "/docs/sync-tracks.md";
    const std::string document = Slurp(path);
    const size_t start = document.find("| track | file | default |");
    ASSERT_NE(start, std::string::npos) << path << " has no table of tracks";
    const size_t end = document.find("\n\n", start);
    const std::string written = document.substr(start, end == std::string::npos ? end : end + 1 - start);
    if (written != table && std::getenv("ZP_WRITE_SYNC_TRACK_LIST")) {
        std::ofstream(path, std::ios::binary) << document.substr(0, start) << table
                                              << (end == std::string::npos ? "" : document.substr(end + 1));
        return;
    }
    EXPECT_EQ(written, table) << "run this test with ZP_WRITE_SYNC_TRACK_LIST=1 to write the list anew";
}
