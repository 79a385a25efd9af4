// Track files saved by another program, in a scratch data tree, against a
// track set of the show's kind.
#include "tools/live/TrackFileReloader.h"

#include "engine/sync/SyncTrackFile.h"
#include "engine/sync/SyncTrackSet.h"
#include "tests/unit/TemporaryDirectory.h"
#include "tools/live/ReloadBoard.h"
#include "tools/live/ShowFiles.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

const std::string kGlow = "data/sync/glow.track";
const std::vector<SyncKey> kTwoKeys = {{0, 1.0f, SyncInterpolation::Linear}, {8, 2.0f, SyncInterpolation::Step}};
const std::vector<SyncKey> kOneKey = {{16, 0.5f, SyncInterpolation::Smooth}};

void Save(const std::string& path, const std::vector<SyncKey>& keys) {
    const std::vector<uint8_t> bytes = WriteSyncTrackKeys(keys);
    WriteTestFile(path, std::string(bytes.begin(), bytes.end()));
}

class TrackFileReloaderTest : public ::testing::Test {
protected:
    void SetUp() override {
        reloader.SetTracks(&tracks);
        reloader.SetUnsavedEdits([this](const std::string& track) { return track == edited; });
    }

    // Handles the file and notes the report on the board; "" for none.
    std::string Handle(const std::string& path, bool showBuilt = true) {
        std::optional<ReloadReport> report = reloader.Handle(path, files, showBuilt);
        if (report)
            board.Note(*report, "10:00:00");
        return report ? FormatReloadLine(*report) : "";
    }

    TemporaryDirectory root;
    WorkingDirectoryScope workingDirectory{root.path};
    SyncTrackSet tracks;
    SyncTrack& glow = tracks.Bind("glow");
    std::string edited;
    ShowFiles files;
    ReloadBoard board;
    TrackFileReloader reloader;
};

}

TEST_F(TrackFileReloaderTest, GoodKeysReplaceTheTracksABadFileKeepsThemUntilFixedAndOwnSavesSayNothing) {
    WriteTestFile(kGlow, "bad");
    reloader.NoteRefused(kGlow);  // by the show, at the start
    board.Note({kGlow, false, 0, "refused", ReloadFate::Checked}, "09:59:59");
    Save(kGlow, {});
    EXPECT_EQ(Handle(kGlow), "reload " + kGlow + " ok");  // no keys to load, but no longer broken
    EXPECT_TRUE(board.Broken().empty());

    Save(kGlow, kTwoKeys);
    EXPECT_EQ(Handle(kGlow), "reload " + kGlow + " ok");
    EXPECT_EQ(glow.Keys(), kTwoKeys);
    WriteTestFile(kGlow, std::string("\x05\0\0\0", 4));
    EXPECT_EQ(Handle(kGlow).rfind("reload " + kGlow + " error the file is cut short", 0), 0u);
    EXPECT_EQ(glow.Keys(), kTwoKeys);
    EXPECT_EQ(board.Broken().count(kGlow), 1u);

    // The tool's own save holds the track's keys: not a word, and the
    // track is not touched.
    glow.SetKey(kOneKey[0]);
    Save(kGlow, glow.Keys());
    const uint32_t version = glow.Version();
    EXPECT_EQ(Handle(kGlow), "reload " + kGlow + " ok");  // fixed, so it leaves the list
    EXPECT_EQ(Handle(kGlow), "");
    EXPECT_EQ(glow.Version(), version);
    EXPECT_TRUE(board.Broken().empty());
}

TEST_F(TrackFileReloaderTest, UnsavedEditsStandAndARemovedFileLeavesTheKeys) {
    glow.SetKeys(kOneKey);
    edited = "glow";
    Save(kGlow, kTwoKeys);
    EXPECT_EQ(Handle(kGlow).rfind("reload " + kGlow + " kept: the tracker's unsaved edits", 0), 0u);
    EXPECT_EQ(glow.Keys(), kOneKey);
    EXPECT_TRUE(board.Broken().empty());

    reloader.NoteUsedFiles(files, [](const std::string& path) { return std::filesystem::exists(path); });
    EXPECT_TRUE(files.IsUsed(kGlow));
    std::filesystem::remove(kGlow);
    EXPECT_EQ(Handle(kGlow), "reload " + kGlow + " gone");
    EXPECT_EQ(Handle(kGlow), "");  // the presence look finds it gone again
    EXPECT_EQ(glow.Keys(), kOneKey);
    EXPECT_EQ(board.Broken().count(kGlow), 1u);
    Save(kGlow, kOneKey);
    EXPECT_EQ(Handle(kGlow), "reload " + kGlow + " ok");
    EXPECT_TRUE(board.Broken().empty());

    // A track without keys loses nothing with its file.
    tracks.Bind("bare");
    EXPECT_EQ(Handle("data/sync/bare.track"), "");
}

TEST_F(TrackFileReloaderTest, FilesOfNoTrackTheShowOffersAreNotUsedOnceItIsBuilt) {
    for (const std::string path : {"data/sync/bad-zz.track", "data/glow.track", "data/sync/unknown.track"}) {
        WriteTestFile(path, "bad");
        EXPECT_EQ(Handle(path), "reload " + path + " not used by the show");
    }
    // While the show does not build, its tracks are not all bound: a file
    // that may be one's is read for its errors alone.
    EXPECT_EQ(Handle("data/glow.track", false), "reload data/glow.track not used by the show");
    EXPECT_NE(Handle("data/sync/unknown.track", false).find(" error "), std::string::npos);
    EXPECT_EQ(tracks.Find("unknown"), nullptr);
    EXPECT_FALSE(glow.HasKeys());
}
