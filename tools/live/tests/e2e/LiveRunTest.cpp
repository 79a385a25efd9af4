// zplive on a display, driven as a person would: keys sent to its window,
// its lines on standard output read back. The overlay is hidden, so a saved
// frame is the show's alone.
#include "e2e/Process.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <unistd.h>

namespace {

class LiveRun : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::getenv("DISPLAY"))
            GTEST_SKIP() << "needs an X display";
        ASSERT_EQ(symlink(ZP_SOURCE_DIR "/data", (directory / "data").c_str()), 0);
    }

    void Start(const std::vector<std::string>& arguments) {
        ProcessOptions options;
        options.workingDirectory = directory.Path();
        options.setEnvironment = {{"ZPDEMO_NO_DIALOGS", "1"},
                                  {"SDL_AUDIODRIVER", "disk"},
                                  {"SDL_DISKAUDIOFILE", directory / "audio.raw"}};
        options.timeoutSeconds = 60.0;
        live = std::make_unique<BackgroundProcess>(ZPLIVE_PATH, arguments, options);
    }

    // A data folder of its own with the shaders copied, to be broken; the
    // rest links to the project's.
    std::string CopyShaders() {
        std::filesystem::remove(directory / "data");
        std::filesystem::create_directory(directory / "data");
        for (const char* folder : {"music", "objects", "textures"})
            std::filesystem::create_directory_symlink(std::string(ZP_SOURCE_DIR "/data/") + folder,
                                                      directory / "data/" + folder);
        std::filesystem::copy(ZP_SOURCE_DIR "/data/shaders", directory / "data/shaders",
                              std::filesystem::copy_options::recursive);
        return directory / "data/shaders";
    }

    // True once the line has been printed, whole, `times` times in all.
    bool WaitForLine(const std::string& line, int times = 1, double seconds = 20.0) const {
        return WaitForText("\n" + line + "\n", times, seconds);
    }

    // True once the text has been printed `times` times in all, a line
    // break before it.
    bool WaitForText(const std::string& text, int times = 1, double seconds = 20.0) const {
        const auto until = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
        while (std::chrono::steady_clock::now() < until) {
            if (Count("\n" + live->Out(), text) >= times)
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return false;
    }

    static int Count(const std::string& text, const std::string& part) {
        int count = 0;
        for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
            ++count;
        return count;
    }

    static bool Press(const std::string& key) {
        const std::string command =
            "xdotool search --class ZPDEMO_WINDOW key --window %1 " + key + " >/dev/null 2>&1";
        return std::system(command.c_str()) == 0;
    }

    std::string SavedFrame(const std::string& name) const {
        return ReadFileText(directory / name);
    }

    ScratchDirectory directory;
    std::unique_ptr<BackgroundProcess> live;
};

}

TEST_F(LiveRun, PausedFramesHoldStillAndTheKeysMoveThePlayHead) {
    Start({"--size", "320x240", "--start", "43.886", "--paused"});
    ASSERT_TRUE(WaitForLine("time 43.886 pattern 16.0 paused")) << live->Out() << live->Err();
    ASSERT_TRUE(Press("Tab"));  // the overlay off: saved frames show the show alone

    // Two frames a second apart on the clock, while paused: the same picture.
    ASSERT_TRUE(Press("F12"));
    ASSERT_TRUE(WaitForLine("saved t0043886.png"));
    const std::string first = SavedFrame("t0043886.png");
    std::filesystem::remove(directory / "t0043886.png");
    std::this_thread::sleep_for(std::chrono::seconds(1));
    ASSERT_TRUE(Press("F12"));
    ASSERT_TRUE(WaitForLine("saved t0043886.png", 2));
    EXPECT_FALSE(first.empty());
    EXPECT_TRUE(first == SavedFrame("t0043886.png")) << "a paused frame changed";

    // One beat on, one pattern back, the next entry, then playing.
    ASSERT_TRUE(Press("Right"));
    EXPECT_TRUE(WaitForLine("time 44.229 pattern 16.1 paused"));
    ASSERT_TRUE(Press("shift+Left"));
    EXPECT_TRUE(WaitForLine("time 41.486 pattern 15.1 paused"));
    ASSERT_TRUE(Press("Next"));
    EXPECT_TRUE(WaitForLine("time 43.886 pattern 16.0 paused", 2));
    ASSERT_TRUE(Press("space"));
    EXPECT_TRUE(WaitForLine("time 43.886 pattern 16.0 playing"));

    ASSERT_TRUE(Press("Escape"));
    ASSERT_TRUE(live->WaitForExit(10.0)) << live->Out();
    EXPECT_EQ(live->ExitCode(), 0);
}

TEST_F(LiveRun, AStartWithABrokenShaderKeepsTheAskedMomentAndPauseUntilItIsFixed) {
    const std::string shader = CopyShaders() + "/generator/rmgreencubes.fs";
    const std::string good = ReadFileText(shader);
    const size_t at = good.find("vec3 base = ");
    ASSERT_NE(at, std::string::npos);
    const int line = 1 + static_cast<int>(std::count(good.begin(), good.begin() + static_cast<long>(at), '\n'));
    WriteFileText(shader, std::string(good).insert(at + 12, "undeclaredName + "));

    Start({"--size", "320x240", "--start", "71.3", "--paused"});
    const std::string error = "\nreload data/shaders/generator/rmgreencubes.fs error " + std::to_string(line) + ": ";
    ASSERT_TRUE(WaitForText(error)) << live->Out() << live->Err();
    // F5 while the file is broken fails, and forgets nothing of the start.
    ASSERT_TRUE(Press("F5"));
    EXPECT_TRUE(WaitForLine("rebuild at 71.300"));
    EXPECT_TRUE(WaitForLine("rebuild failed"));

    WriteFileText(shader, good);
    EXPECT_TRUE(WaitForLine("reload data/shaders/generator/rmgreencubes.fs ok"));
    EXPECT_TRUE(WaitForLine("time 71.300 pattern 25.7 paused", 1, 40.0)) << live->Out();
    // F5 on the playing show comes back where it was.
    ASSERT_TRUE(Press("F5"));
    EXPECT_TRUE(WaitForLine("rebuild at 71.300", 3));
    EXPECT_TRUE(WaitForLine("time 71.300 pattern 25.7 paused", 2, 40.0)) << live->Out();

    ASSERT_TRUE(Press("Escape"));
    ASSERT_TRUE(live->WaitForExit(10.0)) << live->Out();
}

// A bad track file is the tool's to list, not a reason to stop, nor to hold
// back the rebuild that a fixed shader starts.
TEST_F(LiveRun, ABrokenTrackFileNeitherStopsTheToolNorHoldsBackARebuild) {
    const std::string shader = CopyShaders() + "/generator/rmgreencubes.fs";
    const std::string good = ReadFileText(shader);
    std::filesystem::create_directory(directory / "data/sync");
    const std::string track = directory / "data/sync/post.uFade.track";
    WriteFileText(track, std::string("\x05\0\0\0", 4));

    Start({"--size", "320x240", "--start", "71.3", "--paused"});
    ASSERT_TRUE(WaitForText("\nreload data/sync/post.uFade.track error the file is cut short"))
        << live->Out() << live->Err();
    ASSERT_TRUE(WaitForLine("time 71.300 pattern 25.7 paused", 1, 40.0)) << live->Out();

    WriteFileText(shader, "broken\n" + good);
    ASSERT_TRUE(WaitForText("\nreload data/shaders/generator/rmgreencubes.fs error "));
    ASSERT_TRUE(Press("F5"));
    ASSERT_TRUE(WaitForLine("rebuild failed"));
    WriteFileText(shader, good);
    EXPECT_TRUE(WaitForLine("time 71.300 pattern 25.7 paused", 2, 40.0)) << live->Out();

    // One key, full fade: read once the file is fixed.
    WriteFileText(track, std::string("\x01\0\0\0\0\0\0\0\0\0\x80\x3f\0", 13));
    EXPECT_TRUE(WaitForLine("reload data/sync/post.uFade.track ok")) << live->Out();

    ASSERT_TRUE(Press("Escape"));
    ASSERT_TRUE(live->WaitForExit(10.0)) << live->Out();
    EXPECT_EQ(live->ExitCode(), 0);
}

TEST(LiveStart, WithoutADataFolderItSaysSoOnceAndEnds) {
    ScratchDirectory empty;
    ProcessOptions options;
    options.workingDirectory = empty.Path();
    options.setEnvironment = {{"ZPDEMO_NO_DIALOGS", "1"}};
    const ProcessResult result = RunProcess(ZPLIVE_PATH, {}, options);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_NE(result.err.find("there is no data folder in"), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("zplive runs from the folder that holds data/"), std::string::npos) << result.err;
    EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 2) << result.err;
}
