#include "engine/sync/SyncTrack.h"

#include <algorithm>

namespace {

bool RowBefore(const SyncKey& key, int32_t row) { return key.row < row; }

}

float InterpolateSyncKeys(const SyncKey& from, const SyncKey& to, double t) {
    switch (from.interpolation) {
    case SyncInterpolation::Step: return from.value;
    case SyncInterpolation::Linear: break;
    case SyncInterpolation::Smooth: t = t * t * (3.0 - 2.0 * t); break;
    case SyncInterpolation::Ramp: t = t * t; break;
    }
    return static_cast<float>(from.value + (static_cast<double>(to.value) - from.value) * t);
}

bool SyncTrack::ValueAt(double row, float& value) const {
    if (keys.empty())
        return false;
    if (!(row > keys.front().row)) {
        value = keys.front().value;
        return true;
    }
    if (row >= keys.back().row) {
        value = keys.back().value;
        return true;
    }
    // The first key past the row; the one before it starts the span.
    auto next = std::upper_bound(keys.begin(), keys.end(), row,
                                 [](double r, const SyncKey& key) { return r < key.row; });
    const SyncKey& from = *(next - 1);
    const double t = (row - from.row) / static_cast<double>(next->row - from.row);
    value = InterpolateSyncKeys(from, *next, t);
    return true;
}

int32_t SyncTrack::FindKey(int32_t row) const {
    auto found = std::lower_bound(keys.begin(), keys.end(), row, RowBefore);
    if (found == keys.end() || found->row != row)
        return -1;
    return static_cast<int32_t>(found - keys.begin());
}

int32_t SyncTrack::KeyAtOrBefore(int32_t row) const {
    auto next = std::upper_bound(keys.begin(), keys.end(), row,
                                 [](int32_t r, const SyncKey& key) { return r < key.row; });
    return static_cast<int32_t>(next - keys.begin()) - 1;
}

void SyncTrack::SetKey(const SyncKey& key) {
    auto at = std::lower_bound(keys.begin(), keys.end(), key.row, RowBefore);
    if (at != keys.end() && at->row == key.row)
        *at = key;
    else
        keys.insert(at, key);
    ++version;
}

bool SyncTrack::DeleteKey(int32_t row) {
    const int32_t index = FindKey(row);
    if (index < 0)
        return false;
    keys.erase(keys.begin() + index);
    ++version;
    return true;
}

void SyncTrack::SetKeys(std::vector<SyncKey> sorted) {
    keys = std::move(sorted);
    ++version;
}
