#include "engine/sync/SyncRows.h"
#include "engine/sync/SyncTrackFile.h"
#include "engine/sync/SyncTrackSet.h"
#include "tools/live/SyncTrackDocument.h"
#include "tools/live/TrackerKeys.h"
#include "tools/live/TrackerModel.h"
#include "tools/live/TrackerPlayHead.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Keys = std::vector<SyncKey>;
constexpr SyncInterpolation kStep = SyncInterpolation::Step;
constexpr SyncInterpolation kLinear = SyncInterpolation::Linear;

// Tracks bound in an order that interleaves two groups: the columns are
// cam.x, cam.y, cam.z (group "cam"), then glow, then post.fade.
class SyncTrackDocumentTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"cam.x", "glow", "cam.y", "post.fade", "cam.z"})
            tracks.Bind(name);
    }
    const Keys& KeysOf(const char* name) { return tracks.Find(name)->Keys(); }
    void TypeValue(const std::string& text) {
        document.StartTyping();
        for (char c : text)
            document.Type(static_cast<uint32_t>(c));
        std::string error;
        ASSERT_TRUE(document.CommitTyping(error)) << error;
    }

    SyncTrackSet tracks;
    SyncTrackDocument document{tracks};
};

TEST_F(SyncTrackDocumentTest, ColumnsFollowTheGroupsAndFoldingTakesAGroupOut) {
    EXPECT_EQ(document.Columns(), (std::vector<size_t>{0, 2, 4, 1, 3}));
    document.MoveColumns(3, false);
    EXPECT_EQ(document.CursorTrack(), 1);  // glow
    document.ToggleGroup("cam");
    EXPECT_EQ(document.Columns(), (std::vector<size_t>{1, 3}));
    EXPECT_EQ(document.CursorTrack(), 1) << "the cursor stays on its track";
    tracks.Bind("cam.w");  // a relinked program binds a track later
    document.ToggleGroup("cam");
    EXPECT_EQ(document.Columns(), (std::vector<size_t>{0, 2, 4, 5, 1, 3}));
}

TEST_F(SyncTrackDocumentTest, TypingSetsAKeyOnlyForAFiniteNumberAndEscapeCancels) {
    document.MoveRows(8, false);
    TypeValue("-1.5e1");
    EXPECT_EQ(KeysOf("cam.x"), (Keys{{8, -15.0f, kStep}}));

    std::string error;
    document.StartTyping();
    for (char c : std::string("1x.2e99999"))  // 'x' cannot be typed
        document.Type(static_cast<uint32_t>(c));
    EXPECT_EQ(document.TypedText(), "1.2e99999");
    EXPECT_FALSE(document.CommitTyping(error));
    EXPECT_EQ(error, "'1.2e99999' is not a number");
    EXPECT_TRUE(document.IsTyping());
    document.CancelTyping();
    EXPECT_FALSE(document.IsTyping());
    EXPECT_EQ(KeysOf("cam.x").size(), 1u);

    // While typing, Escape and Space are the typing's, not the tool's.
    platform::WindowEvent key;
    key.type = platform::WindowEventType::KeyDown;
    document.StartTyping();
    key.key = platform::Key::Space;
    EXPECT_TRUE(HandleTypingEvent(document, key, error));
    key.key = platform::Key::Escape;
    EXPECT_TRUE(HandleTypingEvent(document, key, error));
    EXPECT_FALSE(document.IsTyping());
    EXPECT_FALSE(HandleTypingEvent(document, key, error));
}

TEST_F(SyncTrackDocumentTest, EditsUndoAndRedoAsStepsBeyondAHundred) {
    for (int i = 0; i < 150; ++i) {
        document.PlaceCursor(0, i);
        document.SetValue(static_cast<float>(i));
    }
    document.PlaceCursor(0, 0);
    document.CycleInterpolation();
    document.Nudge(SyncTrackDocument::kNudgeStep / 10);
    EXPECT_EQ(KeysOf("cam.x")[0], (SyncKey{0, 0.1f, kLinear}));
    EXPECT_TRUE(document.Undo());
    EXPECT_TRUE(document.Undo());
    EXPECT_EQ(KeysOf("cam.x")[0], (SyncKey{0, 0.0f, kStep}));
    for (int i = 0; i < 120; ++i)
        ASSERT_TRUE(document.Undo()) << i;
    EXPECT_EQ(KeysOf("cam.x").size(), 30u);
    EXPECT_TRUE(document.Redo());
    EXPECT_EQ(KeysOf("cam.x").size(), 31u);
    // A new edit ends what could be redone; an edit that finds no key is no step.
    document.PlaceCursor(1, 5);
    document.DeleteKeys();
    EXPECT_TRUE(document.Redo());
    document.PlaceCursor(0, 0);
    document.DeleteKeys();
    EXPECT_FALSE(document.Redo());
}

TEST_F(SyncTrackDocumentTest, ABlockCopiesAndPastesOverTheRowsItCoversAndNudgesTogether) {
    tracks.Find("cam.x")->SetKeys({{2, 1.0f, kLinear}, {4, 2.0f, kStep}});
    tracks.Find("cam.y")->SetKeys({{3, 5.0f, kStep}});
    tracks.Find("cam.z")->SetKeys({{10, 9.0f, kStep}, {11, 9.5f, kStep}, {20, 7.0f, kStep}});
    document.PlaceCursor(0, 2);
    document.MoveRows(2, true);
    document.MoveColumns(1, true);  // cam.x and cam.y, rows 2 to 4
    document.Copy();
    document.Nudge(-1.0f);
    EXPECT_EQ(KeysOf("cam.y"), (Keys{{3, 4.0f, kStep}}));
    EXPECT_TRUE(document.Undo());

    document.PlaceCursor(1, 9);  // cam.y and cam.z from row 9: rows 9 to 11 replaced
    document.Paste();
    EXPECT_EQ(KeysOf("cam.y"), (Keys{{3, 5.0f, kStep}, {9, 1.0f, kLinear}, {11, 2.0f, kStep}}));
    EXPECT_EQ(KeysOf("cam.z"), (Keys{{10, 5.0f, kStep}, {20, 7.0f, kStep}}));
    document.Undo();
    EXPECT_EQ(KeysOf("cam.z").size(), 3u) << "a paste is one step";
    // At the last column the block's second column has nowhere to go.
    document.PlaceCursor(4, 0);
    document.Paste();
    EXPECT_EQ(KeysOf("post.fade"), (Keys{{0, 1.0f, kLinear}, {2, 2.0f, kStep}}));
}

TEST_F(SyncTrackDocumentTest, TheEditorsKeysReplaceAsOneStepAndMarkTracksChanged) {
    tracks.Find("glow")->SetKeys({{0, 1.0f, kStep}, {8, 2.0f, kStep}});
    document.TakeEditorKeys({1, 3, 99});
    document.SetKey(1, {4, 3.0f, kLinear});
    document.SetKey(3, {0, 0.5f, kStep});
    document.DeleteKey(1, 77);  // no such key: nothing
    EXPECT_EQ(KeysOf("glow"), (Keys{{4, 3.0f, kLinear}}));
    EXPECT_EQ(document.ChangedTracks(), (std::set<size_t>{1, 3}));
    EXPECT_TRUE(document.Undo());
    EXPECT_EQ(KeysOf("glow"), (Keys{{0, 1.0f, kStep}, {8, 2.0f, kStep}}));
    EXPECT_FALSE(tracks.Find("post.fade")->HasKeys());
    EXPECT_FALSE(document.Undo());

    document.SeekRow(64);
    document.SetPaused(true);
    int32_t row = 0;
    bool paused = false;
    EXPECT_TRUE(document.TakeSeekRequest(row));
    EXPECT_EQ(row, 64);
    EXPECT_FALSE(document.TakeSeekRequest(row));
    EXPECT_TRUE(document.TakePauseRequest(paused));
    EXPECT_TRUE(paused);
}

TEST_F(SyncTrackDocumentTest, ADragIsOneStepAndKeysMoveTheCursorWhileThePanelIsOpen) {
    tracks.Find("cam.x")->SetKeys({{16, 1.0f, kStep}, {40, 2.0f, kStep}});
    document.DragKey(0, 16, 1.5f, true);
    document.DragKey(0, 16, 1.8f, false);
    document.DragKey(0, 16, 1.9f, true);  // a second drag
    document.Undo();
    EXPECT_EQ(KeysOf("cam.x")[0].value, 1.8f);
    document.Undo();
    EXPECT_EQ(KeysOf("cam.x")[0].value, 1.0f);

    platform::WindowEvent event;
    event.type = platform::WindowEventType::KeyDown;
    event.key = platform::Key::PageDown;
    EXPECT_EQ(TrackerCommandForEvent(event, false), TrackerCommand::None) << "the transport's while closed";
    document.SetOpen(true);
    ApplyTrackerCommand(document, TrackerCommandForEvent(event, true));
    EXPECT_EQ(document.CursorRow(), 8);
    event.key = platform::Key::End;
    ApplyTrackerCommand(document, TrackerCommandForEvent(event, true));
    EXPECT_EQ(document.CursorRow(), 40);
    event.key = platform::Key::Up;
    event.modifiers = platform::kAltModifier | platform::kShiftModifier;
    EXPECT_EQ(TrackerCommandForEvent(event, true), TrackerCommand::NudgeUpFine);
    event.key = platform::Key::S;
    event.modifiers = platform::kControlModifier;
    EXPECT_EQ(TrackerCommandForEvent(event, false), TrackerCommand::Save) << "saving needs no panel";
}

// Three columns fit: the view keeps the cursor's, a group's name heads its
// first column in view only, a folded group takes one column.
TEST_F(SyncTrackDocumentTest, TheModelShowsTheCursorsColumnWithEachGroupNamedOnce) {
    document.SetOpen(true);
    tracks.Find("glow")->SetKeys({{3, 2.0f, kStep}, {200, 1.0f, kStep}});
    document.MoveColumns(3, false);
    document.MoveRows(100, false);
    TrackerModel model = MakeTrackerModel(document, 100.5, {16, 3});
    ASSERT_EQ(model.slots.size(), 3u);
    EXPECT_EQ(model.slots[0].name, "y");
    EXPECT_EQ(model.slots[2].name, "glow");
    EXPECT_EQ(model.firstRow, 92);
    EXPECT_TRUE(model.slots[2].hasValue);
    EXPECT_EQ(model.slots[2].value, 2.0f);
    EXPECT_TRUE(model.slots[2].keys.empty()) << "no key in rows 92 to 107";
    EXPECT_EQ((std::vector<bool>{model.slots[0].groupStart, model.slots[1].groupStart, model.slots[2].groupStart}),
              (std::vector<bool>{true, false, true}));
    document.ToggleGroup("cam");
    model = MakeTrackerModel(document, 100.5, {16, 3});
    ASSERT_EQ(model.slots.size(), 3u);
    EXPECT_TRUE(model.slots[0].folded);
    EXPECT_EQ(model.slots[0].groupTracks, 3u);
    EXPECT_EQ(model.curveName, "glow");
}

TEST_F(SyncTrackDocumentTest, PausedTheCursorMovesThePlayHeadPlayingItFollows) {
    TrackerPlayHead head;
    EXPECT_EQ(head.Update(document, 10.0, true), -1);
    EXPECT_EQ(document.CursorRow(), 10);
    document.MoveRows(1, false);
    EXPECT_EQ(head.Update(document, 10.0, true), 11) << "paused: a seek to the cursor";
    // The seek lands on the row, read back from its seconds; the cursor stays.
    EXPECT_EQ(head.Update(document, SyncRowAt(SyncSecondsAt(11, 175.0), 175.0), true), -1);
    EXPECT_EQ(document.CursorRow(), 11);
    // Something else moved the play head while paused: the cursor follows.
    EXPECT_EQ(head.Update(document, 30.2, true), -1);
    EXPECT_EQ(document.CursorRow(), 30);
    // Playing, a cursor move asks for no seek and the play head wins.
    document.MoveRows(5, false);
    EXPECT_EQ(head.Update(document, 31.5, false), -1);
    EXPECT_EQ(document.CursorRow(), 31);
}

}  // namespace
