#pragma once

#include "engine/sync/SyncKey.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class SyncTrackDocument;

// One column of the tracker in view: a track of an open group, or a folded
// group standing for its tracks.
struct TrackerSlot {
    std::string group;
    bool groupStart = false;  // the first slot in view of its group
    bool folded = false;
    size_t groupTracks = 0;
    // A track's column; unused for a folded group.
    size_t column = 0;
    size_t track = 0;
    std::string name;  // without the group's part
    bool hasValue = false;
    float value = 0.0f;        // at the play head
    std::string defaultText;   // what stands while the track has no keys
    bool changed = false;      // not saved
    std::vector<SyncKey> keys; // those in view
};

// Everything the tracker panel draws, filled by the tool each frame.
struct TrackerModel {
    bool open = false;
    int32_t firstRow = 0, rowCount = 0;
    double playRow = 0.0;
    int32_t cursorRow = 0;
    size_t cursorColumn = 0;
    bool selecting = false;
    size_t selectionFirstColumn = 0, selectionLastColumn = 0;
    int32_t selectionFirstRow = 0, selectionLastRow = 0;
    bool typing = false;
    std::string typed, typingError;
    std::vector<TrackerSlot> slots;
    // The cursor's track over the rows in view: kCurveSamples a row, and
    // its keys, which a drag changes.
    static constexpr int kCurveSamples = 4;
    bool hasCurve = false;
    size_t curveTrack = 0;
    std::string curveName;
    std::vector<float> curve;
    std::vector<SyncKey> curveKeys;
};

// How many rows and track columns fit a panel of that size in pixels.
struct TrackerRoom {
    int rows = 0;
    int columns = 0;
};
TrackerRoom TrackerRoomFor(float width, float height);

// Rows from the row at the play head: the cursor is kept in the middle of
// the rows in view, and its column in view.
TrackerModel MakeTrackerModel(const SyncTrackDocument& document, double playRow, TrackerRoom room);

// What the panel's mouse asked for this frame.
struct TrackerInput {
    bool clicked = false;  // place the cursor
    size_t column = 0;
    int32_t row = 0;
    bool dragging = false;  // a key of the curve moved
    bool dragStarted = false;
    size_t track = 0;
    int32_t dragRow = 0;
    float dragValue = 0.0f;
    std::string toggleGroup;  // fold or unfold
};
