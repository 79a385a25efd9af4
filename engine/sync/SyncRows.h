#pragma once

#include <cstdint>

// The sync grid: eight rows a beat. Rows and seconds convert at the show's
// tempo, which the caller brings.
constexpr int32_t kSyncRowsPerBeat = 8;

inline double SyncRowAt(double seconds, double beatsPerMinute) {
    return seconds * beatsPerMinute * kSyncRowsPerBeat / 60.0;
}

inline double SyncSecondsAt(double row, double beatsPerMinute) {
    return row * 60.0 / (beatsPerMinute * kSyncRowsPerBeat);
}
