// zplive on a display, driven as a person would: keys sent to its window,
// its lines on standard output read back. The overlay is hidden, so a saved
// frame is the show's alone.
#include "e2e/Process.h"
#include "engine/platform/StreamSocket.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
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

    // True once the text has been printed anywhere in a line.
    bool WaitForPart(const std::string& part, double seconds = 10.0) const {
        const auto until = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
        while (live->Out().find(part) == std::string::npos) {
            if (std::chrono::steady_clock::now() > until)
                return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return true;
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

namespace {

// The editor's side of the protocol, enough to drive zplive.
class EditorSide {
public:
    EditorSide() { listening = listener->Listen(0, error); }

    bool Accept(double seconds) {
        return Within(seconds, [&] { return (client = listener->Accept()) != nullptr; });
    }
    // Reads until `bytes` are among what came.
    bool Expect(const std::string& bytes, double seconds = 20.0) {
        return ExpectWhere([&] { return received.find(bytes) != std::string::npos; }, seconds);
    }
    // Reads until the demo has told a row after `row` (below 256).
    bool ExpectRowAfter(uint8_t row) {
        return ExpectWhere([&] {
            const std::string told("\x03\x00\x00\x00", 4);
            for (size_t at = received.find(told); at != std::string::npos; at = received.find(told, at + 1))
                if (at + 4 < received.size() && static_cast<uint8_t>(received[at + 4]) > row)
                    return true;
            return false;
        }, 20.0);
    }
    bool ExpectWhere(const std::function<bool()>& found, double seconds) {
        return Within(seconds, [&] {
            uint8_t buffer[4096];
            long got = 0;
            while ((got = client->Receive(buffer, sizeof buffer, error)) > 0)
                received.append(reinterpret_cast<char*>(buffer), static_cast<size_t>(got));
            return found();
        });
    }
    // The index the demo gave a track: its place among the requests.
    int IndexOf(const std::string& name) const {
        size_t at = received.find('\x02');
        for (int index = 0; at + 5 <= received.size(); ++index) {
            const size_t length = static_cast<uint8_t>(received[at + 3]) << 8 | static_cast<uint8_t>(received[at + 4]);
            if (received.compare(at + 5, length, name) == 0 && at + 5 + length <= received.size())
                return index;
            at += 5 + length;
        }
        return -1;
    }
    bool Send(std::initializer_list<uint8_t> command, std::initializer_list<uint32_t> words = {}) {
        std::string bytes(command.begin(), command.begin() + 1);
        for (uint32_t word : words)
            bytes += {char(word >> 24), char(word >> 16), char(word >> 8), char(word)};
        bytes.append(command.begin() + 1, command.end());
        return SendText(bytes);
    }
    bool SendText(const std::string& text) {
        return client->Send(reinterpret_cast<const uint8_t*>(text.data()), text.size(), error) ==
               static_cast<long>(text.size());
    }

    std::unique_ptr<platform::StreamListener> listener = platform::CreateStreamListener();
    std::unique_ptr<platform::StreamSocket> client;
    std::string received, error;
    bool listening = false;

private:
    static bool Within(double seconds, const std::function<bool()>& done) {
        const auto until = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
        while (!done()) {
            if (std::chrono::steady_clock::now() > until)
                return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return true;
    }
};

}

TEST_F(LiveRun, ASyncEditorKeysAValueThatShowsAndDrivesTheTransport) {
    EditorSide editor;
    ASSERT_TRUE(editor.listening) << editor.error;
    const std::string port = std::to_string(editor.listener->Port());
    CopyShaders();  // a data folder of its own: the editor's save writes into it
    Start({"--size", "320x240", "--start", "43.886", "--paused", "--sync-editor", port});
    ASSERT_TRUE(editor.Accept(30.0)) << live->Out();
    ASSERT_TRUE(editor.Expect("hello, synctracker!"));
    ASSERT_TRUE(editor.SendText("hello, demo!"));
    ASSERT_TRUE(WaitForLine("sync editor connected 127.0.0.1:" + port)) << live->Out();
    ASSERT_TRUE(editor.Expect("post.uFade"));
    const int fade = editor.IndexOf("post.uFade");
    ASSERT_GE(fade, 0) << editor.received;

    ASSERT_TRUE(WaitForLine("time 43.886 pattern 16.0 paused"));
    ASSERT_TRUE(Press("Tab"));
    ASSERT_TRUE(Press("F12"));
    ASSERT_TRUE(WaitForLine("saved t0043886.png"));
    const std::string before = SavedFrame("t0043886.png");
    // The fade keyed to 0 from row 0 on: the frame goes dark.
    ASSERT_TRUE(editor.Send({0, 0}, {uint32_t(fade), 0, 0}));
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    ASSERT_TRUE(Press("F12"));
    ASSERT_TRUE(WaitForLine("saved t0043886.png", 2));
    EXPECT_FALSE(before == SavedFrame("t0043886.png")) << "the keyed fade did not show";

    // Row 64 is 2.743 s at 8 rows a beat; then playing, the show tells its rows.
    ASSERT_TRUE(editor.Send({3}, {64}));
    EXPECT_TRUE(WaitForLine("time 2.743 pattern 1.0 paused")) << live->Out();
    ASSERT_TRUE(editor.Send({4, 0}));
    EXPECT_TRUE(WaitForLine("time 2.743 pattern 1.0 playing")) << live->Out();
    EXPECT_TRUE(editor.ExpectRowAfter(64)) << "no row told while playing";

    // The editor's keys are not saved yet: Escape asks again.
    ASSERT_TRUE(Press("Escape"));
    EXPECT_TRUE(WaitForPart(" not saved: Escape or close again within 2 s quits"))
        << live->Out();
    // The editor saves: the keyed track goes to its file, the untouched ones to none.
    ASSERT_TRUE(editor.Send({5}));
    EXPECT_TRUE(WaitForLine("saved data/sync/post.uFade.track")) << live->Out();
    EXPECT_TRUE(std::filesystem::exists(directory / "data/sync/post.uFade.track"));
    EXPECT_FALSE(std::filesystem::exists(directory / "data/sync/post.uFlash.track"));

    // The editor goes: the show plays on and says why (a close, or a reset
    // when rows the show sent were still unread).
    editor.client.reset();
    EXPECT_TRUE(WaitForPart("\nsync editor closed: connection lost: ")) << live->Out();
    ASSERT_TRUE(Press("Escape"));
    ASSERT_TRUE(live->WaitForExit(10.0)) << live->Out();
    EXPECT_EQ(live->ExitCode(), 0);
}
