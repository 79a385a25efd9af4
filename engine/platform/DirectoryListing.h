#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

struct DirectoryEntry {
    std::string name;
    bool isDirectory = false;
    uint64_t size = 0;
};

// The entries of a directory in the order the OS returns them, "." and ".."
// included when the OS lists them, hidden files too. Links are not followed:
// a link to a directory is no directory here. False when the directory
// cannot be listed.
bool ListDirectory(const std::string& directory, std::vector<DirectoryEntry>& entries);

// Replaces target by source in one step, so that a reader sees either the old
// or the new file, never a part of one.
bool ReplaceFile(const std::string& source, const std::string& target);

// True for an existing regular file (or a link to one).
bool IsRegularFile(const std::string& path);

}
