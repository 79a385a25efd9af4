// Which list a changed file lands in, and what is said of it.
#include "tools/live/ErrorLines.h"
#include "tools/live/ReloadBoard.h"
#include "tools/live/ReloadDecision.h"
#include "tools/live/ShowFiles.h"

#include <gtest/gtest.h>

#include <set>

namespace {

ReloadReport Ok(const std::string& path) { return {path, true, 0, "", ReloadFate::Checked}; }
ReloadReport Error(const std::string& path) {
    return {path, false, 154, "error: `foo' undeclared", ReloadFate::Checked};
}

}

TEST(ReloadBoard, ABrokenFileStaysListedThroughAnyNumberOfOtherSavesUntilItLoads) {
    ReloadBoard board;
    board.Note(Error("data/cubes.fs"), "10:00:00");
    for (int i = 0; i < 12; ++i)
        board.Note(Ok("data/post" + std::to_string(i) + ".fs"), "10:00:01");
    ASSERT_EQ(board.Broken().size(), 1u);
    EXPECT_EQ(board.Broken().at("data/cubes.fs").line, 154);
    // The history keeps the newest eight, each with its time.
    ASSERT_EQ(board.History().size(), ReloadBoard::kHistoryLength);
    EXPECT_EQ(board.History().front().report.path, "data/post11.fs");
    EXPECT_EQ(board.History().front().timeOfDay, "10:00:01");

    // Gone stays until the file is back; a log line naming no file is history only.
    board.Note(GoneReport("data/spheres.fs"), "10:00:02");
    board.Note({"", false, 0, "Could not open music file.", ReloadFate::Checked}, "10:00:03");
    EXPECT_EQ(board.Broken().size(), 2u);
    EXPECT_EQ(board.History().front().report.message, "Could not open music file.");
    board.Note(Ok("data/cubes.fs"), "10:00:04");
    board.Note(Ok("data/spheres.fs"), "10:00:05");
    EXPECT_TRUE(board.Broken().empty());
    // A broken file the show turns out not to use leaves the list too.
    board.Note(Error("data/scratch.fs"), "10:00:06");
    board.Note(NotUsedReport("data/scratch.fs"), "10:00:07");
    EXPECT_TRUE(board.Broken().empty());
}

TEST(ShowFiles, AFolderRenamedAwayIsGoneAndItsNewNameIsNotUsed) {
    ShowFiles files;
    files.NewSurvey();
    files.NoteLoaded("data/shaders/generator/cubes.fs");
    const std::string moved = "data/shaders/generator_old/cubes.fs";
    EXPECT_EQ(DecideReload({true, files.IsUsed(moved), true}), ReloadStep::NotUsed);
    EXPECT_EQ(DecideReload({false, files.IsUsed("data/shaders/generator/cubes.fs"), true}), ReloadStep::Gone);
    // Used files are spelled as the show loaded them and compared as keys.
    EXPECT_TRUE(files.IsUsed("data\\Shaders\\generator/./cubes.fs"));
    // An include is used through a shader that is.
    EXPECT_TRUE(files.IsUsed("data/shaders/common.glsl", {"data/shaders/generator/cubes.fs"}));
    EXPECT_FALSE(files.IsUsed("data/shaders/common.glsl", {moved}));
    // While the show does not build, what it uses is not all known: a new
    // file is checked; one that nobody used may go without a word.
    EXPECT_EQ(DecideReload({true, false, false}), ReloadStep::Check);
    EXPECT_EQ(DecideReload({false, false, false}), ReloadStep::Ignore);
}

TEST(ShowFiles, AUsedFileThatGoesOrComesBackIsNamedOnceEachWay) {
    ShowFiles files;
    files.NoteLoaded("data/a.fs");
    files.NoteLoaded("data/b.tga");
    std::set<std::string> onDisk = {"data/b.tga"};
    auto exists = [&onDisk](const std::string& path) { return onDisk.count(path) != 0; };
    EXPECT_EQ(files.PresenceChanged(exists), std::vector<std::string>{"data/a.fs"});
    files.NoteGone("data/a.fs");
    EXPECT_TRUE(files.PresenceChanged(exists).empty());
    onDisk.insert("data/a.fs");
    EXPECT_EQ(files.PresenceChanged(exists), std::vector<std::string>{"data/a.fs"});
}

TEST(ShowFiles, AFileTheShowFailedToLoadIsOwedARebuildUntilItIsLoaded) {
    ShowFiles files;
    files.NewSurvey();
    files.NoteLoaded("data/post.fs");
    files.NoteWanted("data/cubes.fs");  // its program failed to load
    EXPECT_TRUE(files.IsUsed("data/cubes.fs"));
    EXPECT_TRUE(files.IsOwed("data/cubes.fs"));
    EXPECT_FALSE(files.IsOwed("data/post.fs"));
    files.NewSurvey();
    files.NoteLoaded("data/cubes.fs");
    EXPECT_FALSE(files.IsOwed("data/cubes.fs"));
    // Loaded once, then failing again after a rebuild: owed again.
    files.NewSurvey();
    files.NoteWanted("data/cubes.fs");
    EXPECT_TRUE(files.IsOwed("data/cubes.fs"));
}

TEST(ErrorLines, LogErrorsNameTheirFileAndTheDriversLogsAreLeftToTheCheck) {
    const std::vector<ReloadReport> reports = ReportsOfLogErrors({
        "An error occurred during shader compilation. Error log:0:154(14): error: `foo' undeclared",
        "Error log:",
        "error: fragment shader lacks `main'",
        "Cannot load image from file 'data/textures/festa.tga'.",
        "Could not open music file.",
    });
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_EQ(reports[0].path, "data/textures/festa.tga");
    EXPECT_FALSE(reports[0].ok);
    EXPECT_EQ(reports[1].path, "");
    EXPECT_EQ(reports[1].message, "Could not open music file.");
}
