#include "engine/core/FileLogSink.h"
#include "engine/core/LogDispatcher.h"
#include "engine/core/Message.h"
#include "TestEngine.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <cstdio>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <unistd.h>

namespace {

std::string ReadWholeFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream content;
    content << file.rdbuf();
    return content.str();
}

std::string TempPath(const char* name) {
    return std::string(testing::TempDir()) + name + std::to_string(getpid());
}

}

TEST(Log, LinesCarryTimeAndLevelName) {
    TestEngine engine;
    engine.time.now = 12.345;
    Message(LOG_SYSTEM, "Opening %s...", "display");
    engine.time.now = 0.004;
    Message(LOG_ERROR, "No display adapters found.");
    ASSERT_EQ(engine.sink.lines.size(), 2u);
    EXPECT_EQ(engine.sink.lines[0], "12.35\tSYSTEM\tOpening display...\n");
    EXPECT_EQ(engine.sink.lines[1], "0.00\tERROR\tNo display adapters found.\n");
}

TEST(Log, ThresholdFiltersAndUnknownLevelsAreNamedByQuestionMarks) {
    TestEngine engine;
    Message(7, "hidden");
    EXPECT_TRUE(engine.sink.lines.empty());
    engine.log.SetLevel(7);
    Message(7, "shown");
    ASSERT_EQ(engine.sink.lines.size(), 1u);
    EXPECT_EQ(engine.sink.lines[0], "0.00\t?????\tshown\n");
    engine.log.SetLevel(0);
    ErrorBox("not even errors");
    EXPECT_EQ(engine.sink.lines.size(), 1u);
}

TEST(Log, SinkAddedTwiceWritesTwiceAndIsRemovedOnceAtATime) {
    TestEngine engine;
    CapturingLogSink second;
    engine.log.AddSink(&second);
    engine.log.AddSink(&second);
    Message(LOG_SYSTEM, "a");
    EXPECT_EQ(second.lines.size(), 2u);
    engine.log.RemoveSink(&second);
    Message(LOG_SYSTEM, "b");
    EXPECT_EQ(second.lines.size(), 3u);
    engine.log.RemoveSink(&second);
    engine.log.RemoveSink(&second);  // absent: no effect
    Message(LOG_SYSTEM, "c");
    EXPECT_EQ(second.lines.size(), 3u);
    EXPECT_EQ(engine.sink.lines.size(), 3u);
}

TEST(Log, LongMessagesAreCutAt4095Characters) {
    TestEngine engine;
    std::string longText(10000, 'x');
    Message(LOG_SYSTEM, "%s", longText.c_str());
    ASSERT_EQ(engine.sink.Texts().size(), 1u);
    EXPECT_EQ(engine.sink.Texts()[0], std::string(4095, 'x'));
}

TEST(Log, ErrorBoxWritesItsTextUnformatted) {
    TestEngine engine;
    ErrorBox("line 1: %s %d\n");
    ASSERT_EQ(engine.sink.lines.size(), 1u);
    EXPECT_EQ(engine.sink.lines[0], "0.00\tERROR\tline 1: %s %d\n\n");
}

TEST(Log, NoEngineMeansNoLogging) {
    Message(LOG_ERROR, "nobody listens");  // must not crash
    ErrorBox("nobody listens");
}

TEST(FileLogSink, WritesHeaderLinesAndFooterByteExact) {
    TestEngine engine;
    std::string path = TempPath("zp_log_");
    FileLogSink sink;
    sink.SetPath(path);
    ASSERT_TRUE(sink.Open());
    engine.log.AddSink(&sink);
    engine.time.now = 1.5;
    Message(LOG_SYSTEM, "Initializing file system...");
    engine.log.RemoveSink(&sink);
    Message(LOG_SYSTEM, "after removal");
    sink.Close();
    EXPECT_FALSE(sink.IsOpen());

    // The log is a text file: Windows ends its lines with CR LF.
#ifdef _WIN32
    const std::string eol = "\r\n";
#else
    const std::string eol = "\n";
#endif
    const std::string dashes(74, '-');
    const std::string time = "[A-Z][a-z]{2} [A-Z][a-z]{2} [ 0-9]\\d \\d{2}:\\d{2}:\\d{2} \\d{4}" + eol;
    std::regex expected("File opened at " + time + dashes + eol + "Demo log file" + eol + dashes + eol + eol +
                        "1\\.50\tSYSTEM\tInitializing file system\\.\\.\\." + eol + eol + dashes + eol +
                        "File closed at " + time);
    std::string content = ReadWholeFile(path);
    EXPECT_TRUE(std::regex_match(content, expected)) << content;
    std::remove(path.c_str());
}

TEST(FileLogSink, ReopeningClosesTheOldFileFirst) {
    std::string first = TempPath("zp_log_first_");
    std::string second = TempPath("zp_log_second_");
    FileLogSink sink;
    sink.SetPath(first);
    ASSERT_TRUE(sink.Open());
    sink.SetPath(second);
    ASSERT_TRUE(sink.Open());
    sink.Close();
    EXPECT_NE(ReadWholeFile(first).find("File closed at "), std::string::npos);
    EXPECT_NE(ReadWholeFile(second).find("File closed at "), std::string::npos);
    std::remove(first.c_str());
    std::remove(second.c_str());
}

TEST(FileLogSink, UnopenableFileDropsLinesSilently) {
    FileLogSink sink;
    sink.SetPath("/nonexistent-directory/demo.log");
    EXPECT_FALSE(sink.Open());
    sink.Write(LOG_SYSTEM, "dropped\n");
    sink.Close();
    EXPECT_FALSE(sink.IsOpen());
}

TEST(FileLogSink, KeepsSlashesAsTheNativeSeparator) {
    FileLogSink sink;
    std::string path = std::string(testing::TempDir()) + "/zp_slash.log";
    sink.SetPath(path);
    ASSERT_TRUE(sink.Open());
    std::string native = path;
#ifdef _WIN32
    std::replace(native.begin(), native.end(), '/', '\\');
#endif
    EXPECT_EQ(sink.GetPath(), native);
    sink.Close();
    std::remove(path.c_str());
}
