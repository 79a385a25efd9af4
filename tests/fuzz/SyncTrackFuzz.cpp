#include "tests/fuzz/FuzzTarget.h"

#include "engine/render/SyncUniforms.h"
#include "engine/sync/SyncTrack.h"
#include "engine/sync/SyncTrackFile.h"

#include <cmath>
#include <cstdlib>
#include <string>

// A track file, and the same bytes as shader source for the `sync_` finder.
ZP_FUZZ_TARGET(synctrack) {
    std::vector<SyncKey> keys;
    std::string reason;
    if (ReadSyncTrackKeys(data, size, keys, reason)) {
        // What reads must write back byte for byte and give finite values.
        if (WriteSyncTrackKeys(keys) != std::vector<uint8_t>(data, data + size))
            std::abort();
        SyncTrack track("fuzz");
        track.SetKeys(keys);
        for (const SyncKey& key : keys)
            for (double row : {key.row - 0.5, static_cast<double>(key.row), key.row + 0.25})
                if (!std::isfinite(track.ValueOr(row, 0.0f)) && std::isfinite(key.value))
                    std::abort();
    } else if (reason.empty()) {
        std::abort();
    }
    FindSyncUniforms(std::string(reinterpret_cast<const char*>(data), size));
    return 0;
}
