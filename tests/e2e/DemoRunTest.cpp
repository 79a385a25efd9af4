#include "e2e/LogLines.h"
#include "e2e/Process.h"

#include <gtest/gtest.h>

#include <chrono>
#include <signal.h>
#include <sys/wait.h>
#include <thread>

namespace {

const std::string kDemo = ZPDEMO_PATH;
const std::string kInstanceHolder = std::string(ZP_HELPER_DIR) + "/instance_holder";

// A run with no display at all, as on a machine without one.
ProcessOptions HeadlessIn(const ScratchDirectory& directory) {
    ProcessOptions options;
    options.workingDirectory = directory.Path();
    options.setEnvironment["ZPDEMO_NO_DIALOGS"] = "1";
    options.unsetEnvironment = {"DISPLAY", "WAYLAND_DISPLAY"};
    return options;
}

}

TEST(DemoRun, WithoutDisplayLogsTheStartUpAndFailsAtTheDisplay) {
    ScratchDirectory directory;
    ProcessResult run = RunProcess(kDemo, {"writelog"}, HeadlessIn(directory));
    ASSERT_FALSE(run.timedOut);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("Application error: Could not open display."), std::string::npos) << run.err;

    std::vector<std::string> lines = Lines(ReadFileText(directory / "demo.log"));
    ASSERT_GE(lines.size(), 15u);
    EXPECT_EQ(lines[0].rfind("File opened at ", 0), 0u);
    EXPECT_EQ(lines[1], std::string(74, '-'));
    EXPECT_EQ(lines[2], "Demo log file");
    EXPECT_EQ(lines[3], std::string(74, '-'));
    EXPECT_EQ(lines[4], "");

    // Without a display the window cannot be made; the adapter list still
    // holds its default record, so the failure is the display's opening.
    std::vector<std::pair<std::string, std::string>> expected = {
        {"SYSTEM", "Platform: "},
        {"SYSTEM", "Compiled: "},
        {"SYSTEM", "Base directory: " + directory.Path()},
        {"SYSTEM", "Initializing file system..."},
        {"SYSTEM", "Could not load pak file."},
        {"SYSTEM", "Opening display..."},
        {"ERROR", "Cannot register window class. "},
        {"ERROR", "Could not open display."}};
    size_t line = 5;
    for (const auto& [expectedLevel, start] : expected) {
        ASSERT_LT(line, lines.size());
        std::string level;
        std::string text = MessageOf(lines[line++], &level);
        EXPECT_EQ(text.rfind(start, 0), 0u) << "line " << line << ": " << text;
        EXPECT_EQ(level, expectedLevel) << text;
    }
    EXPECT_EQ(lines[line++], "");
    EXPECT_EQ(lines[line++], std::string(74, '-'));
    ASSERT_LT(line, lines.size());
    EXPECT_EQ(lines[line++].rfind("File closed at ", 0), 0u);
    EXPECT_EQ(line, lines.size());
}

TEST(DemoRun, TheRealExecutableFindsItsTimeSource) {
    ScratchDirectory directory;
    ProcessResult run = RunProcess(kDemo, {"writelog"}, HeadlessIn(directory));
    std::string log = ReadFileText(directory / "demo.log");
    EXPECT_EQ(log.find("No time source"), std::string::npos);
    EXPECT_EQ(run.err.find("No time source"), std::string::npos);
}

TEST(DemoRun, WritesNoLogUnlessAskedExactly) {
    for (std::vector<std::string> arguments :
         std::vector<std::vector<std::string>>{{}, {"Writelog"}, {"writelog", "x"}, {"writelog "}}) {
        ScratchDirectory directory;
        ProcessResult run = RunProcess(kDemo, arguments, HeadlessIn(directory));
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_FALSE(FileExists(directory / "demo.log"));
        // The error still reaches the user.
        EXPECT_NE(run.err.find("Could not open display."), std::string::npos);
    }
}

TEST(DemoRun, SecondInstanceExitsAtOnceAndAKilledHolderFreesTheGuard) {
    ScratchDirectory directory;
    std::string holderOutput = directory / "holder.out";
    int holder = StartProcess(kInstanceHolder, {}, holderOutput);
    ASSERT_GT(holder, 0);
    for (int wait = 0; wait < 500 && ReadFileText(holderOutput).empty(); ++wait)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    ASSERT_EQ(ReadFileText(holderOutput), "held\n");

    ProcessResult refused = RunProcess(kDemo, {"writelog"}, HeadlessIn(directory));
    EXPECT_EQ(refused.exitCode, 0);
    EXPECT_LT(refused.seconds, 2.0);
    EXPECT_EQ(refused.out, "");
    EXPECT_EQ(refused.err, "");
    EXPECT_FALSE(FileExists(directory / "demo.log"));

    kill(holder, SIGKILL);
    waitpid(holder, nullptr, 0);
    ProcessResult granted = RunProcess(kDemo, {"writelog"}, HeadlessIn(directory));
    EXPECT_EQ(granted.exitCode, 1);
    EXPECT_TRUE(FileExists(directory / "demo.log"));
}
