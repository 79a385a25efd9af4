#include "tools/live/SyncUndoHistory.h"

#include "engine/sync/SyncTrackSet.h"

#include <algorithm>

// A step that kept nothing yet (an edit that found no key) is used again,
// so that it neither fills the history nor clears the redo.
void SyncUndoHistory::Begin(Merge merge) {
    if (mergeOpen && merge != Merge::None && !undo.empty() && undo.back().merge == merge)
        return;
    if (undo.empty() || !undo.back().kept.empty())
        undo.push_back({});
    undo.back().merge = merge;
    if (undo.size() > kDepth)
        undo.pop_front();
    mergeOpen = merge != Merge::None;
}

void SyncUndoHistory::Keep(const SyncTrackSet& tracks, size_t track) {
    if (undo.empty())
        Begin();
    std::vector<Kept>& kept = undo.back().kept;
    const bool known = std::any_of(kept.begin(), kept.end(), [track](const Kept& k) { return k.track == track; });
    if (known)
        return;
    redo.clear();
    kept.push_back({track, tracks.At(track).Keys()});
}

std::vector<size_t> SyncUndoHistory::Swap(SyncTrackSet& tracks, Step& step) {
    std::vector<size_t> touched;
    for (Kept& kept : step.kept) {
        std::vector<SyncKey> current = tracks.At(kept.track).Keys();
        tracks.At(kept.track).SetKeys(std::move(kept.keys));
        kept.keys = std::move(current);
        touched.push_back(kept.track);
    }
    return touched;
}

std::vector<size_t> SyncUndoHistory::Undo(SyncTrackSet& tracks) {
    mergeOpen = false;
    // A step that kept nothing (an edit that changed no key) is passed over.
    while (!undo.empty() && undo.back().kept.empty())
        undo.pop_back();
    if (undo.empty())
        return {};
    Step step = std::move(undo.back());
    undo.pop_back();
    std::vector<size_t> touched = Swap(tracks, step);
    redo.push_back(std::move(step));
    return touched;
}

std::vector<size_t> SyncUndoHistory::Redo(SyncTrackSet& tracks) {
    mergeOpen = false;
    if (redo.empty())
        return {};
    Step step = std::move(redo.back());
    redo.pop_back();
    std::vector<size_t> touched = Swap(tracks, step);
    undo.push_back(std::move(step));
    return touched;
}
