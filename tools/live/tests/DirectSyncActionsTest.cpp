#include "engine/sync/SyncTrackFile.h"
#include "engine/sync/SyncTrackSet.h"
#include "tools/live/DirectSyncActions.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

std::vector<SyncKey> ReadKeys(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<SyncKey> keys;
    std::string reason;
    EXPECT_TRUE(ReadSyncTrackKeys(bytes.data(), bytes.size(), keys, reason)) << path << ": " << reason;
    return keys;
}

}

TEST(DirectSyncActions, TheEditorsKeysReplaceTheTracksAndASaveWritesThem) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "zp-direct-sync-actions";
    std::filesystem::remove_all(folder);
    SyncTrackSet tracks;
    tracks.Bind("a b").SetKey({0, 1.0f, SyncInterpolation::Step});
    tracks.Bind("taken").SetKey({4, 2.0f, SyncInterpolation::Step});
    tracks.Bind("untouched");
    DirectSyncActions actions(tracks, (folder / "sync").string(), nullptr, nullptr);

    actions.TakeEditorKeys({0, 1});
    EXPECT_FALSE(tracks.At(1).HasKeys());
    actions.SetKey(0, {8, 0.5f, SyncInterpolation::Linear});
    actions.SetKey(0, {16, 1.5f, SyncInterpolation::Smooth});
    actions.DeleteKey(0, 16);
    actions.SaveTracks();
    EXPECT_EQ(actions.TakeLines(), std::vector<std::string>{"sync tracks saved: 2 files"});
    EXPECT_EQ(ReadKeys(folder / "sync/a-20b.track"), (std::vector<SyncKey>{{8, 0.5f, SyncInterpolation::Linear}}));
    // Taken and emptied, it is written empty, or its old keys would come back.
    EXPECT_TRUE(ReadKeys(folder / "sync/taken.track").empty());
    EXPECT_FALSE(std::filesystem::exists(folder / "sync/untouched.track"));
    EXPECT_FALSE(std::filesystem::exists(folder / "sync/.a-20b.track.tmp"));

    // A folder that cannot be made: each track says so, the old files stand.
    DirectSyncActions blocked(tracks, (folder / "sync/a-20b.track").string(), nullptr, nullptr);
    blocked.SaveTracks();
    const std::vector<std::string> lines = blocked.TakeLines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "cannot save " + (folder / "sync/a-20b.track").string() + "/a-20b.track: it could not be written");
    EXPECT_EQ(ReadKeys(folder / "sync/a-20b.track").size(), 1u);
    std::filesystem::remove_all(folder);
}
