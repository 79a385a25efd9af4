#include "engine/core/FactoryRegistry.h"
#include "engine/files/DirectoryMonitor.h"
#include "engine/platform/DirectoryListing.h"
#include "tests/unit/TemporaryDirectory.h"
#include "tests/unit/TestEngine.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
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

    // Some systems hand the notifications over a little after the change
    // (Wine's server does): polls until the expected names have come, or a
    // few seconds have passed, and returns what came.
    ChangeSet PollUntil(const ChangeSet& expected) {
        ChangeSet seen;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (seen != expected && std::chrono::steady_clock::now() < deadline) {
            const ChangeSet changes = Poll();
            seen.insert(changes.begin(), changes.end());
            if (seen != expected)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return seen;
    }

    void ExpectChanges(const ChangeSet& expected) { EXPECT_EQ(PollUntil(expected), expected); }

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
    ExpectChanges({{"data/shaders/base/colored.fs", true}});
    EXPECT_TRUE(Poll().empty());
    EXPECT_TRUE(engine.sink.lines.empty());
}

// How most editors save: the new contents go to a temporary file, which then
// takes the original's place.
TEST_F(DirectoryMonitorTest, ASaveThroughATemporaryFileReportsTheSavedFileOnly) {
    ASSERT_TRUE(monitor.Start("data", true));
    WriteTestFile("data/shaders/base/colored.fs.swp", "void main() { }\n");
    ASSERT_TRUE(platform::ReplaceFile("data/shaders/base/colored.fs.swp", "data/shaders/base/colored.fs"));
    ExpectChanges({{"data/shaders/base/colored.fs", true}});
    EXPECT_TRUE(Poll().empty());
}

TEST_F(DirectoryMonitorTest, NewAndDeletedFilesAreReported) {
    ASSERT_TRUE(monitor.Start("data", true));
    WriteTestFile("data/shaders/base/new.vs", "void main() {}\n");
    std::filesystem::remove("data/readme.txt");
    ExpectChanges({{"data/readme.txt", true}, {"data/shaders/base/new.vs", true}});
    std::filesystem::remove("data/shaders/base/new.vs");
    ExpectChanges({{"data/shaders/base/new.vs", true}});
    EXPECT_TRUE(Poll().empty());
}

TEST_F(DirectoryMonitorTest, DirectoriesAreNeverReported) {
    std::filesystem::create_directory("data/old");
    ASSERT_TRUE(monitor.Start("data", true));
    std::filesystem::create_directories("data/textures/cards");
    std::filesystem::create_directory("data/empty");
    std::filesystem::remove("data/old");
    EXPECT_TRUE(Poll().empty());
    WriteTestFile("data/textures/cards/logo.tga", "x");
    ExpectChanges({{"data/textures/cards/logo.tga", true}});
    std::filesystem::remove("data/textures/cards/logo.tga");
    std::filesystem::remove("data/textures/cards");
    std::filesystem::remove("data/empty");
    ExpectChanges({{"data/textures/cards/logo.tga", true}});
}

TEST_F(DirectoryMonitorTest, NewSubdirectoriesAreWatchedToo) {
    ASSERT_TRUE(monitor.Start("data", true));
    std::filesystem::create_directories("data/textures/cards");
    WriteTestFile("data/textures/cards/early.tga", "x");
    ExpectChanges({{"data/textures/cards/early.tga", true}});
    WriteTestFile("data/textures/cards/late.tga", "y");
    WriteTestFile("data/readme.txt", "new\n");
    ExpectChanges({{"data/readme.txt", true}, {"data/textures/cards/late.tga", true}});
}

TEST_F(DirectoryMonitorTest, WithoutRecursionSubdirectoriesAreIgnored) {
    ASSERT_TRUE(monitor.Start("data", false));
    WriteTestFile("data/shaders/base/colored.fs", "changed\n");
    std::filesystem::create_directories("data/textures");
    WriteTestFile("data/textures/new.tga", "x");
    EXPECT_TRUE(Poll().empty());
    WriteTestFile("data/readme.txt", "new\n");
    ExpectChanges({{"data/readme.txt", true}});
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
    ExpectChanges({{"data/shaders/base/colored.fs", true}});
}

TEST_F(DirectoryMonitorTest, AWatchedDirectoryThatDisappearsEndsTheMonitoring) {
    ASSERT_TRUE(monitor.Start("data/shaders", true));
    std::filesystem::remove_all("data/shaders");
    ChangeSet changes;
    EXPECT_FALSE(monitor.Poll(changes));
    EXPECT_FALSE(monitor.IsActive());
    EXPECT_TRUE(engine.sink.lines.empty());
}

TEST(ChangedFiles, NamesEachChangedFileOnceAndNoDirectory) {
    using platform::WatchAction;
    const std::vector<platform::WatchRecord> records{
        {"b.txt", WatchAction::Written, false},
        {"a.txt", WatchAction::Removed, false},
        {"b.txt", WatchAction::Written, false},
        {"maps", WatchAction::Created, true},
        {"maps/new.txt", WatchAction::Created, false},
        {"shaders", WatchAction::Written, true},
        {"old", WatchAction::Removed, true},
    };
    EXPECT_EQ(ChangedFiles(records), (std::vector<std::string>{"a.txt", "b.txt", "maps/new.txt"}));
}

TEST(ChangedFiles, AFileThatCameAndWentIsNoChange) {
    using platform::WatchAction;
    const std::vector<platform::WatchRecord> records{
        {"colored.fs.tmp", WatchAction::Created, false},
        {"colored.fs.tmp", WatchAction::Written, false},
        {"colored.fs", WatchAction::Removed, false},
        {"colored.fs.tmp", WatchAction::RenamedFrom, false},
        {"colored.fs", WatchAction::RenamedTo, false},
        {"scratch", WatchAction::RenamedTo, false},
        {"scratch", WatchAction::Removed, false},
    };
    EXPECT_EQ(ChangedFiles(records), std::vector<std::string>{"colored.fs"});
}

// Gone now, but there before: its owner has to learn that.
TEST(ChangedFiles, AFileThatWasThereAndWentIsAChange) {
    using platform::WatchAction;
    const std::vector<platform::WatchRecord> records{
        {"a.txt", WatchAction::Written, false},
        {"a.txt", WatchAction::RenamedFrom, false},
        {"b.txt", WatchAction::Removed, false},
        {"b.txt", WatchAction::Created, false},
        {"b.txt", WatchAction::Removed, false},
    };
    EXPECT_EQ(ChangedFiles(records), (std::vector<std::string>{"a.txt", "b.txt"}));
}

// A save caught between its write and its rename still reports only the file.
TEST(ChangedFiles, ASavesTemporaryFileIsNeverAChange) {
    using platform::WatchAction;
    EXPECT_TRUE(ChangedFiles({{"sync/.glow.track.tmp", WatchAction::Created, false},
                              {"sync/.glow.track.tmp", WatchAction::Written, false}})
                    .empty());
    EXPECT_EQ(ChangedFiles({{"sync/.glow.track.tmp", WatchAction::RenamedFrom, false},
                            {"sync/glow.track", WatchAction::RenamedTo, false}}),
              std::vector<std::string>{"sync/glow.track"});
}

TEST(DirectoryMonitorRegistry, MakesAnInactiveMonitorUnderIdOne) {
    std::unique_ptr<DirectoryMonitor> monitor(FactoryRegistry<DirectoryMonitor>::Instance().Create(1));
    ASSERT_TRUE(monitor);
    EXPECT_FALSE(monitor->IsActive());
    EXPECT_EQ(monitor->GetDirectory(), "");
}

}
