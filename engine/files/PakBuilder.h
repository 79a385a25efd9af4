#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// One file on its way into the archive.
struct PakBuildEntry {
    std::string path;     // as found on disk, root first, '/' separators
    uint32_t size = 0;    // the listed size, then the packed size
    uint32_t offset = 0;  // of its stream in the data area
};

using PakBuildEntries = std::vector<std::unique_ptr<PakBuildEntry>>;

// Packs every file below rootDirectory into the archive at outputPath and
// reports progress on standard output. The old archive is replaced only once
// the new one is completely written; on false it is left as it was.
bool BuildPak(PakBuildEntries& entries, const std::string& rootDirectory, const std::string& outputPath);

// Appends every file below directory, depth first in listing order, and
// prints each path; a save's temporary file (IsTemporaryFileName) is no file. Links are followed, to a directory as that directory and
// to a file as that file; a link back into a directory being walked is
// skipped with a warning. A dangling link is listed like a file.
void EnumerateFiles(PakBuildEntries& entries, const std::string& directory);
