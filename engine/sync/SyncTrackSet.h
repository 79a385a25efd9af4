#pragma once

#include "engine/sync/SyncTrack.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// Every track the show offers, in the order they were first bound, and the
// row the show is at. Names are looked up when something binds a track;
// frames read through the track's pointer, which stays valid for the set's
// life (tracks are never removed).
class SyncTrackSet {
public:
    // The track of that name, made without keys the first time it is asked
    // for. `defaultText` says what stands while it has no keys (the code's
    // value, a shader's initialiser); the first binder's text is kept.
    SyncTrack& Bind(const std::string& name, const std::string& defaultText = std::string());
    // Null when no one has bound that name.
    SyncTrack* Find(const std::string& name);
    const SyncTrack* Find(const std::string& name) const;
    int32_t IndexOf(const std::string& name) const;

    size_t Count() const { return tracks.size(); }
    SyncTrack& At(size_t index) { return *tracks[index].track; }
    const SyncTrack& At(size_t index) const { return *tracks[index].track; }
    const std::string& DefaultText(size_t index) const { return tracks[index].defaultText; }

    // Set once a frame by the show, before anything reads a value.
    void SetRow(double row) { currentRow = row; }
    double Row() const { return currentRow; }

private:
    struct Entry {
        std::unique_ptr<SyncTrack> track;
        std::string defaultText;
    };
    std::vector<Entry> tracks;
    double currentRow = 0.0;
};
