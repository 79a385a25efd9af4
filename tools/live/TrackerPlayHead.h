#pragma once

#include <cstdint>

class SyncTrackDocument;

// The tracker's cursor and the play head, once a frame. While paused, a row
// the user moved the cursor to is where the play head goes; while playing,
// the cursor follows the play head, and so it does whenever something else
// (the transport's keys, the scrub bar) moved the play head.
class TrackerPlayHead {
public:
    // The row to seek to, or -1 for none.
    int32_t Update(SyncTrackDocument& document, double playRow, bool paused);

private:
    int32_t lastPlayRow = -1;
};
