#pragma once

#include "engine/sync/SyncTrackSet.h"

#include <string>

// A default as the track list writes it: the shortest text that reads back
// as the same float.
std::string FormatSyncDefault(float value);

// A value of the show that a track may replace: bound by name once, read
// every frame without a lookup. Unbound, or while its track has no keys, it
// gives back the code's own value.
class SyncValue {
public:
    SyncValue() = default;
    SyncValue(SyncTrackSet& set, const std::string& name, const std::string& defaultText = std::string())
        : set(&set), track(&set.Bind(name, defaultText)) {}

    float Or(float codeValue) const { return track ? track->ValueOr(set->Row(), codeValue) : codeValue; }
    bool IsBound() const { return track != nullptr; }

private:
    const SyncTrackSet* set = nullptr;
    const SyncTrack* track = nullptr;
};

// Up to four components of a vector, bound as `<name>.x`, `.y`, `.z`, `.w`.
template <int Count>
class SyncVector {
    static_assert(Count >= 1 && Count <= 4, "a vector has one to four components");
public:
    SyncVector() = default;
    // Each component's default is the code's value there.
    SyncVector(SyncTrackSet& set, const std::string& name, const float* codeDefaults) {
        for (int i = 0; i < Count; ++i)
            components[i] = SyncValue(set, name + Suffix(i), FormatSyncDefault(codeDefaults[i]));
    }
    // One text for the defaults of every component.
    SyncVector(SyncTrackSet& set, const std::string& name, const std::string& defaultText) {
        for (int i = 0; i < Count; ++i)
            components[i] = SyncValue(set, name + Suffix(i), defaultText);
    }

    // Writes the vector to `out`, each component the track's or the code's.
    void Apply(const float* codeValues, float* out) const {
        for (int i = 0; i < Count; ++i)
            out[i] = components[i].Or(codeValues[i]);
    }

private:
    static const char* Suffix(int i) {
        static const char* const kSuffixes[4] = {".x", ".y", ".z", ".w"};
        return kSuffixes[i];
    }

    SyncValue components[Count];
};
