#include "tools/live/TrackerModel.h"

#include "engine/sync/SyncTrackSet.h"
#include "tools/live/SyncTrackDocument.h"

#include <algorithm>
#include <cmath>

namespace {

// The panel's layout in pixels, as the overlay draws it.
constexpr float kRowHeight = 14.0f;
constexpr float kHeaderHeight = 3 * 16.0f;
constexpr float kCurveHeight = 90.0f;
constexpr float kRowNumberWidth = 44.0f;
constexpr float kColumnWidth = 86.0f;

std::vector<SyncKey> KeysInRows(const SyncTrack& track, int32_t first, int32_t count) {
    std::vector<SyncKey> keys;
    for (const SyncKey& key : track.Keys())
        if (key.row >= first && key.row < first + count)
            keys.push_back(key);
    return keys;
}

TrackerSlot TrackSlot(const SyncTrackDocument& document, size_t column, size_t track, double playRow, const TrackerModel& model) {
    const SyncTrackSet& tracks = document.Tracks();
    const SyncTrack& keys = tracks.At(track);
    TrackerSlot slot;
    slot.column = column;
    slot.track = track;
    const size_t dot = keys.Name().find('.');
    slot.name = dot == std::string::npos ? keys.Name() : keys.Name().substr(dot + 1);
    slot.hasValue = keys.ValueAt(playRow, slot.value);
    slot.defaultText = tracks.DefaultText(track);
    slot.changed = document.ChangedTracks().count(track) != 0;
    slot.keys = KeysInRows(keys, model.firstRow, model.rowCount);
    return slot;
}

// Every slot left to right: a folded group takes one.
std::vector<TrackerSlot> AllSlots(const SyncTrackDocument& document, double playRow, const TrackerModel& model) {
    std::vector<TrackerSlot> slots;
    size_t column = 0;
    for (const SyncTrackGroup& group : document.Groups()) {
        if (group.folded) {
            TrackerSlot slot;
            slot.folded = true;
            slot.groupTracks = group.tracks.size();
            slot.group = group.name;
            slots.push_back(slot);
            continue;
        }
        for (size_t track : group.tracks) {
            slots.push_back(TrackSlot(document, column++, track, playRow, model));
            slots.back().group = group.name;
            slots.back().groupTracks = group.tracks.size();
        }
    }
    return slots;
}

void FillCurve(const SyncTrackDocument& document, TrackerModel& model) {
    const int32_t track = document.CursorTrack();
    if (track < 0)
        return;
    const SyncTrack& keys = document.Tracks().At(static_cast<size_t>(track));
    model.hasCurve = true;
    model.curveTrack = static_cast<size_t>(track);
    model.curveName = keys.Name();
    model.curveKeys = KeysInRows(keys, model.firstRow, model.rowCount);
    if (!keys.HasKeys())
        return;
    const int samples = model.rowCount * TrackerModel::kCurveSamples;
    for (int i = 0; i <= samples; ++i)
        model.curve.push_back(keys.ValueOr(model.firstRow + static_cast<double>(i) / TrackerModel::kCurveSamples, 0.0f));
}

}

TrackerRoom TrackerRoomFor(float width, float height) {
    TrackerRoom room;
    room.rows = std::max(8, static_cast<int>((height - kHeaderHeight - kCurveHeight) / kRowHeight));
    room.columns = std::max(1, static_cast<int>((width - kRowNumberWidth) / kColumnWidth));
    return room;
}

TrackerModel MakeTrackerModel(const SyncTrackDocument& document, double playRow, TrackerRoom room) {
    TrackerModel model;
    model.open = document.IsOpen();
    if (!model.open)
        return model;
    model.rowCount = std::max(room.rows, 1);
    model.cursorRow = document.CursorRow();
    model.firstRow = std::max(0, model.cursorRow - model.rowCount / 2);
    model.playRow = playRow;
    model.cursorColumn = document.CursorColumn();
    const SyncTrackDocument::Block block = document.Selection();
    model.selecting = document.HasSelection();
    model.selectionFirstColumn = block.firstColumn;
    model.selectionLastColumn = block.lastColumn;
    model.selectionFirstRow = block.firstRow;
    model.selectionLastRow = block.lastRow;
    model.typing = document.IsTyping();
    model.typed = document.TypedText();

    std::vector<TrackerSlot> slots = AllSlots(document, playRow, model);
    // The slots in view: from the first, or so that the cursor's is the last.
    size_t cursorSlot = 0;
    for (size_t i = 0; i < slots.size(); ++i)
        if (!slots[i].folded && slots[i].column == model.cursorColumn)
            cursorSlot = i;
    const size_t fit = static_cast<size_t>(std::max(room.columns, 1));
    const size_t first = cursorSlot < fit ? 0 : cursorSlot + 1 - fit;
    for (size_t i = first; i < slots.size() && i < first + fit; ++i) {
        slots[i].groupStart = i == first || slots[i].group != model.slots.back().group;
        model.slots.push_back(std::move(slots[i]));
    }
    FillCurve(document, model);
    return model;
}
