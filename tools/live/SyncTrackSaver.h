#pragma once

#include "engine/sync/SyncKey.h"

#include <string>
#include <vector>

// Writes a track's keys to folder/<its file name>: first to ".<file>.tmp"
// in the same folder, then over the old file in one step, so that a reader
// sees the old file or the new one, never a part. The folder is made when
// missing. On failure the old file stands, nothing is left behind, and
// `error` says why. `path` is the file written, for messages.
bool SaveSyncTrackFile(const std::string& folder, const std::string& trackName, const std::vector<SyncKey>& keys,
                       std::string& path, std::string& error);
