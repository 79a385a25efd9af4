#pragma once

#include "engine/sync/SyncKey.h"

#include <cstdint>
#include <string>
#include <vector>

// A named float that changes over the rows of the sync grid: keys sorted by
// strictly increasing row. A track without keys has no value, so whoever
// reads it keeps a value of their own.
class SyncTrack {
public:
    explicit SyncTrack(std::string name) : name(std::move(name)) {}

    const std::string& Name() const { return name; }
    const std::vector<SyncKey>& Keys() const { return keys; }
    bool HasKeys() const { return !keys.empty(); }

    // The value at a fractional row: the first key's value before it, the
    // last key's from it on, the interpolation of the key before in between.
    // False, with `value` untouched, when the track has no keys.
    bool ValueAt(double row, float& value) const;
    float ValueOr(double row, float fallback) const {
        ValueAt(row, fallback);
        return fallback;
    }

    // The index of the key at `row`, or -1.
    int32_t FindKey(int32_t row) const;
    // The index of the last key at or before `row`, or -1.
    int32_t KeyAtOrBefore(int32_t row) const;

    // Edits. A key at a row already keyed replaces that key.
    void SetKey(const SyncKey& key);
    bool DeleteKey(int32_t row);
    // The caller hands keys that a reader has checked: rows strictly increasing.
    void SetKeys(std::vector<SyncKey> sorted);
    // Counts every edit, so that users notice a change without comparing keys.
    uint32_t Version() const { return version; }

private:
    std::string name;
    std::vector<SyncKey> keys;
    uint32_t version = 0;
};

// The value between two keys at t in [0, 1], by the first key's interpolation.
float InterpolateSyncKeys(const SyncKey& from, const SyncKey& to, double t);
