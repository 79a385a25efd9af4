#include "engine/sync/SyncTrackSet.h"

SyncTrack& SyncTrackSet::Bind(const std::string& name, const std::string& defaultText) {
    if (SyncTrack* found = Find(name))
        return *found;
    tracks.push_back(Entry{std::make_unique<SyncTrack>(name), defaultText});
    return *tracks.back().track;
}

int32_t SyncTrackSet::IndexOf(const std::string& name) const {
    for (size_t index = 0; index < tracks.size(); ++index)
        if (tracks[index].track->Name() == name)
            return static_cast<int32_t>(index);
    return -1;
}

SyncTrack* SyncTrackSet::Find(const std::string& name) {
    const int32_t index = IndexOf(name);
    return index < 0 ? nullptr : tracks[static_cast<size_t>(index)].track.get();
}

const SyncTrack* SyncTrackSet::Find(const std::string& name) const {
    const int32_t index = IndexOf(name);
    return index < 0 ? nullptr : tracks[static_cast<size_t>(index)].track.get();
}
