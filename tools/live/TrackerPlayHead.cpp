#include "tools/live/TrackerPlayHead.h"

#include "engine/sync/SyncRows.h"
#include "tools/live/SyncTrackDocument.h"

#include <cmath>

int32_t TrackerPlayHead::Update(SyncTrackDocument& document, double playRow, bool paused) {
    // A seek to a row lands a hair before it in seconds and back.
    const auto row = SyncRowIndex(playRow);
    if (document.TakeRowMoved() && paused) {
        lastPlayRow = document.CursorRow();
        return lastPlayRow;
    }
    if (!paused || row != lastPlayRow)
        document.FollowRow(row);
    lastPlayRow = row;
    return -1;
}
