#pragma once

#include <cstddef>
#include <set>
#include <string>
#include <vector>

class SyncTrackSet;

// The tracker's columns: tracks grouped by the part of their name before the
// first '.' (a name without one is a group of its own), the groups in the
// order their first track was bound, the tracks of a group in theirs.
struct SyncTrackGroup {
    std::string name;
    bool folded = false;
    std::vector<size_t> tracks;  // indices into the track set
};

std::string SyncTrackGroupName(const std::string& trackName);

std::vector<SyncTrackGroup> GroupSyncTracks(const SyncTrackSet& tracks, const std::set<std::string>& folded);

// The tracks of the unfolded groups, left to right: the columns the cursor
// moves over.
std::vector<size_t> OpenColumns(const std::vector<SyncTrackGroup>& groups);
