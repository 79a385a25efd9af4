// Track files saved by another program, handled in a scratch data tree
// against a track set of the show's kind.
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

class TrackFileReloaderTest : public ::testing::Test {
protected:
    void SetUp() override {
        glow = &tracks.Bind("glow");
        reloader.SetTracks(&tracks);
        reloader.SetUnsavedEdits([this](const std::string& track) { return track == edited; });
    }

    static void Save(const std::string& path, const std::vector<SyncKey>& keys) {
        const std::vector<uint8_t> bytes = WriteSyncTrackKeys(keys);
        WriteTestFile(path, std::string(bytes.begin(), bytes.end()));
    }

    // Handles the file and notes the report as the tool's lists do.
    std::optional<ReloadReport> Handle(const std::string& path, bool showBuilt = true) {
        std::optional<ReloadReport> report = reloader.Handle(path, files, showBuilt);
        if (report)
            board.Note(*report, "10:00:00");
        return report;
    }

    TemporaryDirectory root;
    WorkingDirectoryScope workingDirectory{root.path};
    SyncTrackSet tracks;
    SyncTrack* glow = nullptr;
    std::string edited;
    ShowFiles files;
    ReloadBoard board;
    TrackFileReloader reloader;
};

}

TEST_F(TrackFileReloaderTest, GoodKeysReplaceTheTracksABadFileKeepsThemUntilFixedAndOwnSavesSayNothing) {
    Save(kGlow, kTwoKeys);
    std::optional<ReloadReport> report = Handle(kGlow);
    ASSERT_TRUE(report);
    EXPECT_EQ(FormatReloadLine(*report), "reload " + kGlow + " ok");
    EXPECT_EQ(glow->Keys(), kTwoKeys);

    WriteTestFile(kGlow, std::string("\x05\0\0\0", 4));
    report = Handle(kGlow);
    ASSERT_TRUE(report);
    EXPECT_FALSE(report->ok);
    EXPECT_EQ(report->message.rfind("the file is cut short", 0), 0u) << report->message;
    EXPECT_EQ(glow->Keys(), kTwoKeys);
    EXPECT_EQ(board.Broken().count(kGlow), 1u);

    // Saved fixed with the keys the track holds: no change, but no longer broken.
    Save(kGlow, kTwoKeys);
    report = Handle(kGlow);
    ASSERT_TRUE(report);
    EXPECT_TRUE(report->ok);
    EXPECT_TRUE(board.Broken().empty());

    // The tool's own save writes the track's keys: nothing to report, and
    // the track is not touched.
    glow->SetKey(kOneKey[0]);
    Save(kGlow, glow->Keys());
    const uint32_t version = glow->Version();
    EXPECT_FALSE(Handle(kGlow));
    EXPECT_EQ(glow->Version(), version);
}

TEST_F(TrackFileReloaderTest, AFileRefusedAtTheStartLeavesTheListOnceItReadsEvenWithoutKeys) {
    WriteTestFile(kGlow, "bad");
    reloader.NoteRefused(kGlow);
    board.Note({kGlow, false, 0, "the file is cut short before its key count", ReloadFate::Checked}, "09:59:59");
    Save(kGlow, {});
    std::optional<ReloadReport> report = Handle(kGlow);
    ASSERT_TRUE(report);
    EXPECT_TRUE(report->ok);
    EXPECT_TRUE(board.Broken().empty());
    EXPECT_FALSE(Handle(kGlow));
}

TEST_F(TrackFileReloaderTest, UnsavedEditsStandAndTheReportSaysSo) {
    glow->SetKeys(kOneKey);
    edited = "glow";
    Save(kGlow, kTwoKeys);
    std::optional<ReloadReport> report = Handle(kGlow);
    ASSERT_TRUE(report);
    EXPECT_EQ(glow->Keys(), kOneKey);
    EXPECT_EQ(report->fate, ReloadFate::Kept);
    EXPECT_EQ(FormatReloadLine(*report).rfind("reload " + kGlow + " kept: the tracker's unsaved edits", 0), 0u)
        << FormatReloadLine(*report);
    EXPECT_TRUE(board.Broken().empty());
    // A file that does not read is still broken, edits or not.
    WriteTestFile(kGlow, "bad");
    EXPECT_FALSE(Handle(kGlow)->ok);
    EXPECT_EQ(glow->Keys(), kOneKey);
}

TEST_F(TrackFileReloaderTest, ARemovedFileLeavesTheKeysAndIsGoneOnceUntilItIsBack) {
    Save(kGlow, kTwoKeys);
    Handle(kGlow);
    reloader.NoteUsedFiles(files, [](const std::string& path) { return std::filesystem::exists(path); });
    EXPECT_TRUE(files.IsUsed(kGlow));
    std::filesystem::remove(kGlow);
    std::optional<ReloadReport> report = Handle(kGlow);
    ASSERT_TRUE(report);
    EXPECT_EQ(FormatReloadLine(*report), "reload " + kGlow + " gone");
    EXPECT_FALSE(report->ok);
    EXPECT_EQ(glow->Keys(), kTwoKeys);
    EXPECT_FALSE(Handle(kGlow));  // the presence look finds it gone again
    Save(kGlow, kTwoKeys);
    report = Handle(kGlow);
    ASSERT_TRUE(report);
    EXPECT_TRUE(report->ok);
    EXPECT_TRUE(board.Broken().empty());

    // A track without keys loses nothing with its file.
    SyncTrack& bare = tracks.Bind("bare");
    Save("data/sync/bare.track", {});
    std::filesystem::remove("data/sync/bare.track");
    EXPECT_FALSE(Handle("data/sync/bare.track"));
    EXPECT_FALSE(bare.HasKeys());
}

TEST_F(TrackFileReloaderTest, FilesOfNoTrackTheShowOffersAreNotUsedOnceItIsBuilt) {
    for (const std::string path : {"data/sync/bad-zz.track", "data/glow.track", "data/sync/old/glow.track"}) {
        WriteTestFile(path, "bad");
        for (bool showBuilt : {true, false})
            EXPECT_EQ(Handle(path, showBuilt)->fate, ReloadFate::NotUsed) << path;
    }
    const std::string unknown = "data/sync/unknown.track";
    WriteTestFile(unknown, "bad");
    EXPECT_EQ(Handle(unknown)->fate, ReloadFate::NotUsed);
    // While the show does not build, its tracks are not all bound: the file
    // is read for its errors alone.
    EXPECT_FALSE(Handle(unknown, false)->ok);
    Save(unknown, kOneKey);
    EXPECT_TRUE(Handle(unknown, false)->ok);
    EXPECT_EQ(tracks.Find("unknown"), nullptr);
    EXPECT_FALSE(glow->HasKeys());
}
