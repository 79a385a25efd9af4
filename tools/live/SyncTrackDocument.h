#pragma once

#include "tools/live/SyncEditorActions.h"
#include "tools/live/SyncTrackGroups.h"
#include "tools/live/SyncUndoHistory.h"

#include <cstdint>
#include <set>
#include <string>
#include <vector>

class SyncTrackSet;

// What the tracker edits: the show's tracks, with a cursor on a column and a
// row, a block selection, a clipboard, the value being typed, undo and redo,
// and the set of tracks changed since they were saved. Edits go straight to
// the show's tracks, so the next frame shows them. A connected sync editor
// edits through the same document (SyncEditorActions); what it asks of the
// transport waits here for the tool to take.
class SyncTrackDocument : public SyncEditorActions {
public:
    // Alt+Up and Alt+Down change a value by this; with Shift by a tenth.
    static constexpr float kNudgeStep = 1.0f;

    explicit SyncTrackDocument(SyncTrackSet& tracks);

    SyncTrackSet& Tracks() { return tracks; }
    const SyncTrackSet& Tracks() const { return tracks; }
    const std::vector<SyncTrackGroup>& Groups() const;
    const std::vector<size_t>& Columns() const;
    void ToggleGroup(const std::string& name);

    // The panel, shown or not; the keys of the panel act only while it shows.
    bool IsOpen() const { return open; }
    void SetOpen(bool shown);

    // The cursor. Rows stop at 0 and at the last row (the show's end).
    void SetLastRow(int32_t row) { lastRow = row > 0 ? row : 0; }
    int32_t CursorRow() const { return cursorRow; }
    // The cursor's column, and its track (-1 without any track).
    size_t CursorColumn() const;
    int32_t CursorTrack() const;
    void MoveRows(int32_t rows, bool select);
    void MoveColumns(int32_t columns, bool select);
    void ToFirstKey(bool select);
    void ToLastKey(bool select);
    void PlaceCursor(size_t column, int32_t row);
    // The play head moved the cursor: not a move of the user's.
    void FollowRow(int32_t row);
    // True once after the user moved the cursor to another row.
    bool TakeRowMoved();

    // Columns and rows, both ends included: the selection, or the cursor's cell.
    struct Block {
        size_t firstColumn = 0, lastColumn = 0;
        int32_t firstRow = 0, lastRow = 0;
    };
    bool HasSelection() const { return selecting; }
    Block Selection() const;

    // A value typed at the cursor: Enter starts and ends it, Escape cancels.
    bool IsTyping() const { return typing; }
    const std::string& TypedText() const { return typed; }
    void StartTyping();
    void Type(uint32_t character);
    void EraseTyped();
    // Sets the key; false, still typing, with `error` set for text that is
    // not a finite number. Empty text just ends the typing.
    bool CommitTyping(std::string& error);
    void CancelTyping();

    // Edits at the cursor or over the selection, each one undo step.
    void SetValue(float value);
    void DeleteKeys();
    void CycleInterpolation();
    void Nudge(float delta);
    void Copy();
    void Paste();
    // A key dragged in the curve: the drag's moves make one undo step.
    void DragKey(size_t track, int32_t row, float value, bool first);
    bool Undo();
    bool Redo();
    size_t UndoDepth() const { return history.UndoDepth(); }

    bool HasUnsavedChanges() const { return !changed.empty(); }
    const std::set<size_t>& ChangedTracks() const { return changed; }
    // Writes every changed track to its file in the folder; a track whose
    // file was written is no longer changed. One line per track, for
    // standard output: "saved data/sync/x.track" or "cannot save ...".
    std::vector<std::string> SaveChanged(const std::string& folder, bool& allSaved);

    // SyncEditorActions.
    void TakeEditorKeys(const std::vector<size_t>& trackIndices) override;
    void SetKey(size_t track, const SyncKey& key) override;
    void DeleteKey(size_t track, int32_t row) override;
    void SeekRow(int32_t row) override { seekRequest = row; }
    void SetPaused(bool paused) override { pauseRequest = paused ? 1 : 0; }
    void SaveTracks() override { saveRequest = true; }
    // What the editor asked of the transport since the last call.
    bool TakeSeekRequest(int32_t& row);
    bool TakePauseRequest(bool& paused);
    bool TakeSaveRequest();

private:
    void Refresh() const;
    size_t ColumnOfTrack(size_t track) const;
    void MoveTo(size_t column, int32_t row, bool select);
    // Before an edit of the track: kept for undo, marked changed.
    void Touch(size_t track);
    template <typename Edit> void EditBlock(Edit edit);

    SyncTrackSet& tracks;
    SyncUndoHistory history;
    std::set<size_t> changed;
    std::set<std::string> folded;
    // Grouped again when tracks appear or a group folds.
    mutable std::vector<SyncTrackGroup> groups;
    mutable std::vector<size_t> columns;
    mutable size_t groupedCount = static_cast<size_t>(-1);
    bool open = false;

    size_t cursorTrack = 0;
    int32_t cursorRow = 0;
    int32_t lastRow = INT32_MAX / 2;
    bool rowMoved = false;
    bool selecting = false;
    size_t anchorTrack = 0;
    int32_t anchorRow = 0;

    bool typing = false;
    std::string typed;

    // Per column of the copied block, its keys with rows from the block's top.
    std::vector<std::vector<SyncKey>> clipboard;
    int32_t clipboardRows = 0;

    int32_t seekRequest = -1;
    int pauseRequest = -1;
    bool saveRequest = false;
};
