#pragma once

#include <cmath>
#include <cstdint>

// The sync grid: eight rows a beat. Rows and seconds convert at the show's
// tempo, which the caller brings.
constexpr int32_t kSyncRowsPerBeat = 8;

// A time that was sought from a row reads back a hair off it; within a
// millionth of a row it is that row, so a key there counts from its row on.
inline double SyncRowAt(double seconds, double beatsPerMinute) {
    const double row = seconds * beatsPerMinute * kSyncRowsPerBeat / 60.0;
    const double whole = std::round(row);
    return std::fabs(row - whole) < 1e-6 ? whole : row;
}

inline double SyncSecondsAt(double row, double beatsPerMinute) {
    return row * 60.0 / (beatsPerMinute * kSyncRowsPerBeat);
}

// The whole row a fractional row lies in.
inline int32_t SyncRowIndex(double row) { return static_cast<int32_t>(std::floor(row)); }
