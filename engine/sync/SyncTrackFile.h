#pragma once

#include "engine/sync/SyncKey.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Track files, one a track, as sync editors export them: a little-endian
// int32 key count, then each key as int32 row, float32 value and uint8
// interpolation, nothing after.

// Where the show looks for track files, relative to the working directory.
extern const char* const kSyncTrackFolder;

// Reads a file's bytes. On refusal `keys` is untouched and `reason` says why
// in words that follow "Cannot load sync track from file 'x': ".
bool ReadSyncTrackKeys(const uint8_t* bytes, size_t size, std::vector<SyncKey>& keys, std::string& reason);
std::vector<uint8_t> WriteSyncTrackKeys(const std::vector<SyncKey>& keys);

// The file name of a track: every character other than a letter, a digit,
// '.' or '_' written as '-' and two upper-case hexadecimal digits, then
// ".track". `glow` is "glow.track", `a b` is "a-20b.track".
std::string SyncTrackFileName(const std::string& trackName);
// The track a file name stands for; false for a name that is not a track
// file or whose escapes do not read back.
bool SyncTrackNameOfFile(const std::string& fileName, std::string& trackName);
// kSyncTrackFolder + "/" + the file name.
std::string SyncTrackPath(const std::string& trackName);
