#include "tools/live/SyncTrackDocument.h"

#include "engine/platform/DirectoryListing.h"
#include "engine/sync/SyncTrackFile.h"
#include "engine/sync/SyncTrackSet.h"
#include "tools/live/SyncTrackSaver.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

constexpr size_t kLongestTypedValue = 32;

bool CanBeTyped(uint32_t c) {
    return (c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' || c == 'e' || c == 'E';
}

}

SyncTrackDocument::SyncTrackDocument(SyncTrackSet& tracks) : tracks(tracks) {}

// Tracks appear while the show runs (a relinked program binds new ones).
void SyncTrackDocument::Refresh() const {
    if (groupedCount == tracks.Count())
        return;
    groupedCount = tracks.Count();
    groups = GroupSyncTracks(tracks, folded);
    columns = OpenColumns(groups);
}

const std::vector<SyncTrackGroup>& SyncTrackDocument::Groups() const {
    Refresh();
    return groups;
}

const std::vector<size_t>& SyncTrackDocument::Columns() const {
    Refresh();
    return columns;
}

void SyncTrackDocument::ToggleGroup(const std::string& name) {
    if (!folded.erase(name))
        folded.insert(name);
    groupedCount = static_cast<size_t>(-1);
    selecting = false;
}

void SyncTrackDocument::SetOpen(bool shown) {
    open = shown;
    if (!open)
        CancelTyping();
}

// The column of a track; the first column when its group is folded.
size_t SyncTrackDocument::ColumnOfTrack(size_t track) const {
    const std::vector<size_t>& open = Columns();
    const auto found = std::find(open.begin(), open.end(), track);
    return found == open.end() ? 0 : static_cast<size_t>(found - open.begin());
}

size_t SyncTrackDocument::CursorColumn() const { return ColumnOfTrack(cursorTrack); }

int32_t SyncTrackDocument::CursorTrack() const {
    const std::vector<size_t>& open = Columns();
    return open.empty() ? -1 : static_cast<int32_t>(open[CursorColumn()]);
}

void SyncTrackDocument::MoveTo(size_t column, int32_t row, bool select) {
    const std::vector<size_t>& open = Columns();
    if (select && !selecting) {
        selecting = true;
        anchorTrack = open.empty() ? 0 : open[CursorColumn()];
        anchorRow = cursorRow;
    } else if (!select) {
        selecting = false;
    }
    if (!open.empty())
        cursorTrack = open[std::min(column, open.size() - 1)];
    row = std::clamp(row, 0, lastRow);
    rowMoved = rowMoved || row != cursorRow;
    cursorRow = row;
}

void SyncTrackDocument::MoveRows(int32_t rows, bool select) {
    const int64_t row = static_cast<int64_t>(cursorRow) + rows;
    MoveTo(CursorColumn(), static_cast<int32_t>(std::clamp<int64_t>(row, 0, lastRow)), select);
}

void SyncTrackDocument::MoveColumns(int32_t by, bool select) {
    const int64_t column = static_cast<int64_t>(CursorColumn()) + by;
    const int64_t last = static_cast<int64_t>(Columns().size()) - 1;
    MoveTo(static_cast<size_t>(std::clamp<int64_t>(column, 0, std::max<int64_t>(last, 0))), cursorRow, select);
}

void SyncTrackDocument::ToFirstKey(bool select) {
    const int32_t track = CursorTrack();
    const bool keyed = track >= 0 && tracks.At(static_cast<size_t>(track)).HasKeys();
    MoveTo(CursorColumn(), keyed ? tracks.At(static_cast<size_t>(track)).Keys().front().row : 0, select);
}

void SyncTrackDocument::ToLastKey(bool select) {
    const int32_t track = CursorTrack();
    if (track >= 0 && tracks.At(static_cast<size_t>(track)).HasKeys())
        MoveTo(CursorColumn(), tracks.At(static_cast<size_t>(track)).Keys().back().row, select);
}

void SyncTrackDocument::PlaceCursor(size_t column, int32_t row) { MoveTo(column, row, false); }

void SyncTrackDocument::FollowRow(int32_t row) { cursorRow = std::clamp(row, 0, lastRow); }

bool SyncTrackDocument::TakeRowMoved() {
    const bool moved = rowMoved;
    rowMoved = false;
    return moved;
}

SyncTrackDocument::Block SyncTrackDocument::Selection() const {
    const size_t column = CursorColumn();
    if (!selecting)
        return {column, column, cursorRow, cursorRow};
    const size_t anchor = ColumnOfTrack(anchorTrack);
    return {std::min(column, anchor), std::max(column, anchor), std::min(cursorRow, anchorRow),
            std::max(cursorRow, anchorRow)};
}

void SyncTrackDocument::StartTyping() {
    if (CursorTrack() < 0)
        return;
    typing = true;
    typed.clear();
}

void SyncTrackDocument::Type(uint32_t character) {
    if (typing && CanBeTyped(character) && typed.size() < kLongestTypedValue)
        typed.push_back(static_cast<char>(character));
}

void SyncTrackDocument::EraseTyped() {
    if (!typed.empty())
        typed.pop_back();
}

bool SyncTrackDocument::CommitTyping(std::string& error) {
    if (typed.empty()) {
        typing = false;
        return true;
    }
    char* end = nullptr;
    const double value = std::strtod(typed.c_str(), &end);
    if (end != typed.c_str() + typed.size() || !std::isfinite(static_cast<float>(value))) {
        error = "'" + typed + "' is not a number";
        return false;
    }
    typing = false;
    SetValue(static_cast<float>(value));
    return true;
}

void SyncTrackDocument::CancelTyping() {
    typing = false;
    typed.clear();
}

void SyncTrackDocument::Touch(size_t track) {
    history.Keep(tracks, track);
    changed.insert(track);
}

// A new key takes the interpolation of the key before it, so that typing a
// value into a ramp goes on ramping.
void SyncTrackDocument::SetValue(float value) {
    const int32_t track = CursorTrack();
    if (track < 0)
        return;
    SyncTrack& keys = tracks.At(static_cast<size_t>(track));
    SyncKey key{cursorRow, value, SyncInterpolation::Step};
    const int32_t before = keys.KeyAtOrBefore(cursorRow);
    if (before >= 0)
        key.interpolation = keys.Keys()[static_cast<size_t>(before)].interpolation;
    history.Begin();
    Touch(static_cast<size_t>(track));
    keys.SetKey(key);
}

// Calls edit(track, key) for every key in the selection, one undo step.
template <typename Edit> void SyncTrackDocument::EditBlock(Edit edit) {
    const Block block = Selection();
    const std::vector<size_t>& open = Columns();
    history.Begin();
    for (size_t column = block.firstColumn; column <= block.lastColumn && column < open.size(); ++column) {
        SyncTrack& track = tracks.At(open[column]);
        std::vector<SyncKey> inBlock;
        for (const SyncKey& key : track.Keys())
            if (key.row >= block.firstRow && key.row <= block.lastRow)
                inBlock.push_back(key);
        if (inBlock.empty())
            continue;
        Touch(open[column]);
        for (const SyncKey& key : inBlock)
            edit(track, key);
    }
}

void SyncTrackDocument::DeleteKeys() {
    EditBlock([](SyncTrack& track, const SyncKey& key) { track.DeleteKey(key.row); });
}

void SyncTrackDocument::CycleInterpolation() {
    EditBlock([](SyncTrack& track, SyncKey key) {
        key.interpolation = static_cast<SyncInterpolation>((static_cast<uint8_t>(key.interpolation) + 1) %
                                                           kSyncInterpolationCount);
        track.SetKey(key);
    });
}

void SyncTrackDocument::Nudge(float delta) {
    EditBlock([delta](SyncTrack& track, SyncKey key) {
        const float nudged = key.value + delta;
        if (std::isfinite(nudged)) {
            key.value = nudged;
            track.SetKey(key);
        }
    });
}

void SyncTrackDocument::Copy() {
    const Block block = Selection();
    const std::vector<size_t>& open = Columns();
    clipboard.clear();
    clipboardRows = block.lastRow - block.firstRow + 1;
    for (size_t column = block.firstColumn; column <= block.lastColumn && column < open.size(); ++column) {
        std::vector<SyncKey> keys;
        for (SyncKey key : tracks.At(open[column]).Keys())
            if (key.row >= block.firstRow && key.row <= block.lastRow) {
                key.row -= block.firstRow;
                keys.push_back(key);
            }
        clipboard.push_back(std::move(keys));
    }
}

// The copied block replaces the keys of as many rows and columns from the
// cursor on; columns past the last are dropped.
void SyncTrackDocument::Paste() {
    if (clipboard.empty())
        return;
    const std::vector<size_t>& open = Columns();
    const size_t first = CursorColumn();
    history.Begin();
    for (size_t i = 0; i < clipboard.size() && first + i < open.size(); ++i) {
        const size_t track = open[first + i];
        Touch(track);
        std::vector<SyncKey> keys;
        for (const SyncKey& key : tracks.At(track).Keys())
            if (key.row < cursorRow || key.row - cursorRow >= clipboardRows)
                keys.push_back(key);
        for (SyncKey key : clipboard[i]) {
            if (key.row > lastRow - cursorRow)
                break;
            key.row += cursorRow;
            keys.push_back(key);
        }
        std::sort(keys.begin(), keys.end(), [](const SyncKey& a, const SyncKey& b) { return a.row < b.row; });
        tracks.At(track).SetKeys(std::move(keys));
    }
}

void SyncTrackDocument::DragKey(size_t track, int32_t row, float value, bool first) {
    SyncTrack& keys = tracks.At(track);
    const int32_t index = keys.FindKey(row);
    if (index < 0 || !std::isfinite(value))
        return;
    if (first)
        history.Close();
    history.Begin(SyncUndoHistory::Merge::Drag);
    Touch(track);
    SyncKey key = keys.Keys()[static_cast<size_t>(index)];
    key.value = value;
    keys.SetKey(key);
}

bool SyncTrackDocument::Undo() {
    const std::vector<size_t> touched = history.Undo(tracks);
    changed.insert(touched.begin(), touched.end());
    return !touched.empty();
}

bool SyncTrackDocument::Redo() {
    const std::vector<size_t> touched = history.Redo(tracks);
    changed.insert(touched.begin(), touched.end());
    return !touched.empty();
}

std::vector<std::string> SyncTrackDocument::SaveChanged(const std::string& folder, bool& allSaved) {
    std::vector<std::string> lines;
    allSaved = true;
    for (auto it = changed.begin(); it != changed.end();) {
        const SyncTrack& track = tracks.At(*it);
        // A track without keys needs no file unless one holds keys to forget.
        if (!track.HasKeys() && !platform::IsRegularFile(folder + "/" + SyncTrackFileName(track.Name()))) {
            it = changed.erase(it);
            continue;
        }
        std::string path, error;
        if (SaveSyncTrackFile(folder, track.Name(), track.Keys(), path, error)) {
            lines.push_back("saved " + path);
            it = changed.erase(it);
        } else {
            lines.push_back("cannot save " + path + ": " + error);
            allSaved = false;
            ++it;
        }
    }
    return lines;
}

void SyncTrackDocument::TakeEditorKeys(const std::vector<size_t>& trackIndices) {
    history.Close();
    history.Begin(SyncUndoHistory::Merge::Editor);
    for (size_t track : trackIndices) {
        if (track >= tracks.Count())
            continue;
        Touch(track);
        tracks.At(track).SetKeys({});
    }
}

// The editor's edits after TakeEditorKeys, up to the next edit made here,
// join its undo step.
void SyncTrackDocument::SetKey(size_t track, const SyncKey& key) {
    if (track >= tracks.Count() || key.row < 0 || !std::isfinite(key.value))
        return;
    history.Begin(SyncUndoHistory::Merge::Editor);
    Touch(track);
    tracks.At(track).SetKey(key);
}

void SyncTrackDocument::DeleteKey(size_t track, int32_t row) {
    if (track >= tracks.Count() || tracks.At(track).FindKey(row) < 0)
        return;
    history.Begin(SyncUndoHistory::Merge::Editor);
    Touch(track);
    tracks.At(track).DeleteKey(row);
}

bool SyncTrackDocument::TakeSeekRequest(int32_t& row) {
    if (seekRequest < 0)
        return false;
    row = seekRequest;
    seekRequest = -1;
    return true;
}

bool SyncTrackDocument::TakePauseRequest(bool& paused) {
    if (pauseRequest < 0)
        return false;
    paused = pauseRequest == 1;
    pauseRequest = -1;
    return true;
}

bool SyncTrackDocument::TakeSaveRequest() {
    const bool asked = saveRequest;
    saveRequest = false;
    return asked;
}
