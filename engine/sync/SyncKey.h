#pragma once

#include <cstdint>

// How a key's value leads to the next key's. The numbers are the ones track
// files and sync editors use.
enum class SyncInterpolation : uint8_t {
    Step = 0,
    Linear = 1,
    Smooth = 2,
    Ramp = 3,
};

constexpr uint8_t kSyncInterpolationCount = 4;

// One key of a track: a row of the grid (never negative), a value, and how
// the value moves on towards the next key.
struct SyncKey {
    int32_t row = 0;
    float value = 0.0f;
    SyncInterpolation interpolation = SyncInterpolation::Step;
};

inline bool operator==(const SyncKey& a, const SyncKey& b) {
    return a.row == b.row && a.value == b.value && a.interpolation == b.interpolation;
}
inline bool operator!=(const SyncKey& a, const SyncKey& b) { return !(a == b); }
