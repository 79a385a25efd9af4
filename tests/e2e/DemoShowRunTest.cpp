#include "e2e/Process.h"
#include "e2e/ShowRun.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <set>
#include <thread>
#include <unistd.h>

// The demo on a real display: the progress bar, the show, and Escape.
namespace {

const std::string kDemo = ZPDEMO_PATH;

class DemoShowRun : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::getenv("DISPLAY"))
            GTEST_SKIP() << "needs an X display";
        ASSERT_EQ(symlink(ZP_SOURCE_DIR "/data", (directory / "data").c_str()), 0);
    }

    ProcessOptions WithAudioDriver(const std::string& driver) const {
        ProcessOptions options;
        options.workingDirectory = directory.Path();
        options.setEnvironment = {{"ZPDEMO_NO_DIALOGS", "1"},
                                  {"SDL_AUDIODRIVER", driver},
                                  {"SDL_DISKAUDIOFILE", directory / "audio.raw"}};
        return options;
    }

    std::string LogPath() const { return directory / "demo.log"; }

    bool WaitForLogMessage(const std::string& message, double seconds) const {
        return ::WaitForLogMessage(LogPath(), message, seconds);
    }

    // Escape ends the demo within 2.5 s, with exit code 0.
    static void EscapeEndsPromptly(BackgroundProcess& demo) {
        ASSERT_TRUE(PressEscape());
        ASSERT_TRUE(demo.WaitForExit(2.5)) << "still running 2.5 s after Escape";
        EXPECT_EQ(demo.ExitCode(), 0);
    }

    ScratchDirectory directory;
};

TEST_F(DemoShowRun, EscapeDuringTheBarEndsTheDemoPromptlyWithExitZero) {
    // No sound device: the music set-up fails and the show would run on the clock.
    BackgroundProcess demo(kDemo, {"writelog"}, WithAudioDriver("no-such-driver"));
    ASSERT_TRUE(WaitForLogMessage("Starting precalc thread...", 20.0)) << demo.Err();
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    ASSERT_NO_FATAL_FAILURE(EscapeEndsPromptly(demo));

    const std::vector<LogLine> log = ReadLog(LogPath());
    const LogLine* noSound = Find(log, "Could not initialize DirectSound.");
    ASSERT_NE(noSound, nullptr);
    EXPECT_EQ(noSound->level, "ERROR");
    EXPECT_EQ(Find(log, "Loading music..."), nullptr);
    EXPECT_EQ(Find(log, "Starting music playback..."), nullptr) << "Escape came during the bar";
}

// Every loading line of the run, which names each shader and program once.
void ExpectEachResourceLoadedOnce(const std::vector<LogLine>& log) {
    std::set<std::string> seen;
    int loads = 0;
    for (const LogLine& line : log) {
        if (line.message.rfind("Loading shader", 0) != 0 && line.message.rfind("Loading texture", 0) != 0)
            continue;
        ++loads;
        EXPECT_TRUE(seen.insert(line.message).second) << "twice: " << line.message;
    }
    EXPECT_GE(loads, 30);
}

TEST_F(DemoShowRun, PlaysOnTheMusicAfterTheBarAndEscapeEndsTheShow) {
    BackgroundProcess demo(kDemo, {"writelog"}, WithAudioDriver("disk"));
    ASSERT_TRUE(WaitForLogMessage("Starting music playback...", 40.0)) << demo.Err();
    std::this_thread::sleep_for(std::chrono::seconds(2));
    ASSERT_NO_FATAL_FAILURE(EscapeEndsPromptly(demo));

    const std::vector<LogLine> log = ReadLog(LogPath());
    const std::vector<std::string> startUp = {
        "Initializing file system...",   "Opening display...",           "Opened OpenGL display",
        "Initializing OGG player...",    "Initializing DirectSound...",  "Loading music...",
        "Initializing demo sequence...", "Adding tasks to precalc thread...", "Starting precalc thread...",
        "Starting music playback...",
    };
    auto at = log.begin();
    for (const std::string& message : startUp) {
        at = std::find_if(at, log.end(), [&](const LogLine& line) { return line.message == message; });
        ASSERT_NE(at, log.end()) << "missing or out of order: " << message;
    }
    for (const LogLine& line : log)
        EXPECT_NE(line.level, "ERROR") << line.message;
    ExpectEachResourceLoadedOnce(log);

    const double bar = Find(log, "Starting music playback...")->time - Find(log, "Starting precalc thread...")->time;
    EXPECT_GE(bar, 4.0) << "the precalc worker's two pauses keep the bar up";
    // The disk driver has written the music the show played to.
    const std::string played = ReadFileText(directory / "audio.raw");
    EXPECT_NE(played.find_first_not_of('\0'), std::string::npos) << played.size() << " bytes, all silent";
}

}
