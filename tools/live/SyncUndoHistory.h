#pragma once

#include "engine/sync/SyncKey.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <vector>

class SyncTrackSet;

// The tracker's undo and redo. A step holds, for each track it touched, the
// keys the track had on the other side of the step; undoing or redoing swaps
// them with the track's keys, so one kind of step serves every edit.
class SyncUndoHistory {
public:
    // Steps that merge while they follow each other: a drag of a key in the
    // curve, or what a sync editor sends between two edits made here.
    enum class Merge { None, Drag, Editor };

    static constexpr size_t kDepth = 200;

    // Starts a step, or goes on with the last one when it merges with this.
    void Begin(Merge merge = Merge::None);
    // Keeps the track's keys as they are before the step changes them, and
    // clears what could be redone; a track already kept in this step keeps
    // its first keys.
    void Keep(const SyncTrackSet& tracks, size_t track);
    // Ends merging: the next step, of whatever kind, is a step of its own.
    void Close() { mergeOpen = false; }

    // The tracks the step touched, empty when there was nothing to undo or
    // redo.
    std::vector<size_t> Undo(SyncTrackSet& tracks);
    std::vector<size_t> Redo(SyncTrackSet& tracks);

    size_t UndoDepth() const { return undo.size(); }
    size_t RedoDepth() const { return redo.size(); }

private:
    struct Kept {
        size_t track = 0;
        std::vector<SyncKey> keys;
    };
    struct Step {
        Merge merge = Merge::None;
        std::vector<Kept> kept;
    };

    static std::vector<size_t> Swap(SyncTrackSet& tracks, Step& step);

    std::deque<Step> undo;
    std::vector<Step> redo;
    bool mergeOpen = false;
};
