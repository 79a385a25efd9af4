#include "engine/core/FactoryRegistry.h"
#include "engine/files/DirectoryMonitor.h"
#include "tests/unit/TemporaryDirectory.h"
#include "tests/unit/TestEngine.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

class DirectoryMonitorTest : public ::testing::Test {
protected:
    DirectoryMonitorTest() : workingDirectory(scratch.path) {
        std::filesystem::create_directories("data/shaders/base");
        WriteTestFile("data/shaders/base/colored.fs", "void main() {}\n");
        WriteTestFile("data/readme.txt", "old\n");
    }

    ChangeSet Poll() {
        ChangeSet changes{{"stale", true}};
        EXPECT_TRUE(monitor.Poll(changes));
        return changes;
    }

    TemporaryDirectory scratch;
    WorkingDirectoryScope workingDirectory;
    TestEngine engine;
    DirectoryMonitor monitor;
};

TEST_F(DirectoryMonitorTest, AWriteIsReportedOnceAtTheNextPoll) {
    ASSERT_TRUE(monitor.Start("data", true));
    EXPECT_TRUE(monitor.IsActive());
    EXPECT_EQ(monitor.GetDirectory(), "data");
    EXPECT_TRUE(Poll().empty());
    for (int save = 0; save < 3; ++save)
        WriteTestFile("data/shaders/base/colored.fs", "void main() { }\n");
    EXPECT_EQ(Poll(), (ChangeSet{{"data/shaders/base/colored.fs", true}}));
    EXPECT_TRUE(Poll().empty());
    EXPECT_TRUE(engine.sink.lines.empty());
}

TEST_F(DirectoryMonitorTest, NewSubdirectoriesAreWatchedToo) {
    ASSERT_TRUE(monitor.Start("data", true));
    std::filesystem::create_directories("data/textures/cards");
    WriteTestFile("data/textures/cards/early.tga", "x");
    EXPECT_EQ(Poll(), (ChangeSet{{"data/textures/cards/early.tga", true}}));
    WriteTestFile("data/textures/cards/late.tga", "y");
    WriteTestFile("data/readme.txt", "new\n");
    EXPECT_EQ(Poll(), (ChangeSet{{"data/readme.txt", true}, {"data/textures/cards/late.tga", true}}));
}

TEST_F(DirectoryMonitorTest, WithoutRecursionSubdirectoriesAreIgnored) {
    ASSERT_TRUE(monitor.Start("data", false));
    WriteTestFile("data/shaders/base/colored.fs", "changed\n");
    std::filesystem::create_directories("data/textures");
    WriteTestFile("data/textures/new.tga", "x");
    EXPECT_TRUE(Poll().empty());
    WriteTestFile("data/readme.txt", "new\n");
    EXPECT_EQ(Poll(), (ChangeSet{{"data/readme.txt", true}}));
}

TEST_F(DirectoryMonitorTest, AMissingDirectoryCannotBeSetUp) {
    EXPECT_FALSE(monitor.Start("data/missing", true));
    EXPECT_FALSE(monitor.IsActive());
    EXPECT_EQ(engine.sink.Texts(), std::vector<std::string>{
        "Cannot set up the monitoring of file change notifications for directory 'data/missing'."});
    EXPECT_EQ(engine.sink.levels, std::vector<LogLevel>{LOG_ERROR});
    ChangeSet changes;
    EXPECT_FALSE(monitor.Poll(changes));
}

TEST_F(DirectoryMonitorTest, StartsOnceUntilStoppedAndCanStartAgain) {
    ASSERT_TRUE(monitor.Start("data", true));
    EXPECT_FALSE(monitor.Start("data/shaders", true));
    EXPECT_EQ(monitor.GetDirectory(), "data");
    EXPECT_TRUE(engine.sink.lines.empty());
    monitor.Stop();
    EXPECT_FALSE(monitor.IsActive());
    EXPECT_EQ(monitor.GetDirectory(), "");
    ChangeSet changes;
    EXPECT_FALSE(monitor.Poll(changes));
    ASSERT_TRUE(monitor.Start("data/shaders", true));
    WriteTestFile("data/shaders/base/colored.fs", "again\n");
    EXPECT_EQ(Poll(), (ChangeSet{{"data/shaders/base/colored.fs", true}}));
}

TEST_F(DirectoryMonitorTest, AWatchedDirectoryThatDisappearsEndsTheMonitoring) {
    ASSERT_TRUE(monitor.Start("data/shaders", true));
    std::filesystem::remove_all("data/shaders");
    ChangeSet changes;
    EXPECT_FALSE(monitor.Poll(changes));
    EXPECT_FALSE(monitor.IsActive());
    EXPECT_TRUE(engine.sink.lines.empty());
}

TEST(DirectoryMonitorRegistry, MakesAnInactiveMonitorUnderIdOne) {
    std::unique_ptr<DirectoryMonitor> monitor(FactoryRegistry<DirectoryMonitor>::Instance().Create(1));
    ASSERT_TRUE(monitor);
    EXPECT_FALSE(monitor->IsActive());
    EXPECT_EQ(monitor->GetDirectory(), "");
}

}
