#include "tools/live/SyncTrackGroups.h"

#include "engine/sync/SyncTrackSet.h"

std::string SyncTrackGroupName(const std::string& trackName) { return trackName.substr(0, trackName.find('.')); }

std::vector<SyncTrackGroup> GroupSyncTracks(const SyncTrackSet& tracks, const std::set<std::string>& folded) {
    std::vector<SyncTrackGroup> groups;
    for (size_t i = 0; i < tracks.Count(); ++i) {
        const std::string name = SyncTrackGroupName(tracks.At(i).Name());
        SyncTrackGroup* group = nullptr;
        for (SyncTrackGroup& g : groups)
            if (g.name == name)
                group = &g;
        if (!group) {
            groups.push_back({name, folded.count(name) != 0, {}});
            group = &groups.back();
        }
        group->tracks.push_back(i);
    }
    return groups;
}

std::vector<size_t> OpenColumns(const std::vector<SyncTrackGroup>& groups) {
    std::vector<size_t> columns;
    for (const SyncTrackGroup& group : groups)
        if (!group.folded)
            columns.insert(columns.end(), group.tracks.begin(), group.tracks.end());
    return columns;
}
