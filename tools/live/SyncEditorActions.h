#pragma once

#include "engine/sync/SyncKey.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// What a connected sync editor asks of the live tool. The connection checks
// every command first (track indices in range, a deleted key that exists,
// finite values); the tracker applies them to its tracks, with undo.
class SyncEditorActions {
public:
    virtual ~SyncEditorActions() = default;
    // From now on the editor's keys stand for these tracks (indices into
    // the show's track set): their keys are cleared, as one undo step, and
    // the editor's keys follow as SetKey calls. Written to the files only
    // on a save.
    virtual void TakeEditorKeys(const std::vector<size_t>& tracks) = 0;
    virtual void SetKey(size_t track, const SyncKey& key) = 0;
    virtual void DeleteKey(size_t track, int32_t row) = 0;
    // The show goes to the row (the play head follows).
    virtual void SeekRow(int32_t row) = 0;
    virtual void SetPaused(bool paused) = 0;
    // Every changed track to its file, as Ctrl+S does.
    virtual void SaveTracks() = 0;
};
