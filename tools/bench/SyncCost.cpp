#include "tools/bench/SyncCost.h"

#include "engine/sync/SyncTrackSet.h"
#include "engine/sync/SyncValue.h"
#include "tools/bench/CpuTime.h"

#include <string>
#include <vector>

namespace {

constexpr int32_t kRowsPerKey = 4;

void FillTrack(SyncTrack& track, int32_t keys, int32_t seed) {
    std::vector<SyncKey> sorted(static_cast<size_t>(keys));
    for (int32_t i = 0; i < keys; ++i)
        sorted[static_cast<size_t>(i)] = {i * kRowsPerKey, static_cast<float>((i * 7 + seed) % 13),
                                          static_cast<SyncInterpolation>(i % kSyncInterpolationCount)};
    track.SetKeys(std::move(sorted));
}

}

SampleSummary MeasureSyncEvaluation(int32_t tracks, int32_t keys, int32_t frames) {
    SyncTrackSet set;
    std::vector<SyncValue> values;
    for (int32_t i = 0; i < tracks; ++i) {
        values.emplace_back(set, "bench." + std::to_string(i));
        FillTrack(set.At(static_cast<size_t>(i)), keys, i);
    }
    const double lastRow = static_cast<double>(keys) * kRowsPerKey;
    std::vector<double> milliseconds;
    volatile float sink = 0.0f;
    for (int32_t frame = 0; frame < frames; ++frame) {
        set.SetRow(-8.0 + (lastRow + 16.0) * frame / frames);
        const double start = ThreadCpuSeconds();
        float sum = 0.0f;
        for (const SyncValue& value : values)
            sum += value.Or(0.0f);
        milliseconds.push_back((ThreadCpuSeconds() - start) * 1e3);
        sink = sink + sum;
    }
    return Summarize(milliseconds);
}
