#include "engine/sync/SyncTrackFile.h"
#include "engine/sync/SyncTrackSet.h"
#include "tools/live/QuitGuard.h"
#include "tools/live/SyncTrackDocument.h"
#include "tools/live/SyncTrackSaver.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::vector<uint8_t> ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class SyncTrackSaveTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() / ("zp-sync-save-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                              ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
    }
    void TearDown() override {
        std::error_code ignored;
        fs::permissions(folder, fs::perms::owner_all, ignored);
        fs::remove_all(folder, ignored);
    }
    fs::path folder;
};

TEST_F(SyncTrackSaveTest, ChangedTracksAreWrittenThroughATemporaryFileIntoAFolderMadeForThem) {
    SyncTrackSet tracks;
    tracks.Bind("cam.x");
    tracks.Bind("a b");
    SyncTrackDocument document(tracks);
    document.PlaceCursor(1, 4);
    document.SetValue(2.5f);
    EXPECT_TRUE(document.HasUnsavedChanges());
    bool allSaved = false;
    const std::string sync = (folder / "sync").generic_string();
    const std::vector<std::string> lines = document.SaveChanged(sync, allSaved);
    EXPECT_TRUE(allSaved);
    EXPECT_EQ(lines, std::vector<std::string>{"saved " + sync + "/a-20b.track"});
    EXPECT_FALSE(document.HasUnsavedChanges());
    EXPECT_EQ(ReadBytes(folder / "sync/a-20b.track"), WriteSyncTrackKeys({{4, 2.5f, SyncInterpolation::Step}}));
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder / "sync"))
        names.push_back(entry.path().filename().string());
    EXPECT_EQ(names, std::vector<std::string>{"a-20b.track"}) << "the temporary file is gone";

    // Saved again, the file is replaced whole.
    std::string path, error;
    ASSERT_TRUE(SaveSyncTrackFile(sync, "a b", {}, path, error)) << error;
    EXPECT_EQ(ReadBytes(folder / "sync/a-20b.track"), WriteSyncTrackKeys({}));
}

// The temporary file's name is taken by a folder: the write fails, the old
// file stays as it was and the track stays changed.
TEST_F(SyncTrackSaveTest, AFailedWriteKeepsTheOldFileAndSaysWhy) {
    const std::string sync = folder.generic_string();
    std::string path, error;
    ASSERT_TRUE(SaveSyncTrackFile(sync, "glow", {{0, 1.0f, SyncInterpolation::Step}}, path, error)) << error;
    const std::vector<uint8_t> old = ReadBytes(folder / "glow.track");
    fs::create_directory(folder / ".glow.track.tmp");

    SyncTrackSet tracks;
    tracks.Bind("glow");
    SyncTrackDocument document(tracks);
    document.SetValue(3.0f);
    bool allSaved = true;
    const std::vector<std::string> lines = document.SaveChanged(sync, allSaved);
    EXPECT_FALSE(allSaved);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].rfind("cannot save " + sync + "/glow.track: cannot write " + sync + "/.glow.track.tmp: ", 0), 0u)
        << lines[0];
    EXPECT_EQ(ReadBytes(folder / "glow.track"), old);
    EXPECT_TRUE(document.HasUnsavedChanges());

    // A folder that cannot be made says so too.
    EXPECT_FALSE(SaveSyncTrackFile((folder / "glow.track" / "sub").generic_string(), "glow", {}, path, error));
    EXPECT_EQ(error.rfind("cannot make the folder ", 0), 0u) << error;
}

TEST(QuitGuard, WithUnsavedChangesOnlyASecondAskWithinTwoSecondsQuits) {
    QuitGuard guard;
    EXPECT_TRUE(guard.MayQuit(1.0, false));
    EXPECT_FALSE(guard.MayQuit(5.0, true));
    EXPECT_TRUE(guard.Warning(6.9));
    EXPECT_TRUE(guard.MayQuit(6.9, true));
    EXPECT_FALSE(guard.MayQuit(20.0, true));
    EXPECT_FALSE(guard.Warning(22.5));
    EXPECT_FALSE(guard.MayQuit(22.5, true)) << "too late: a new warning";
    EXPECT_TRUE(guard.MayQuit(23.0, true));
}

}  // namespace
