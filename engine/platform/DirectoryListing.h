#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

struct DirectoryEntry {
    std::string name;
    bool isDirectory = false;
    uint64_t size = 0;
    bool isLink = false;  // a symbolic link or a junction
};

// The entries of a directory in the order the OS returns them, "." and ".."
// included when the OS lists them, hidden files too. Links are not followed:
// a link to a directory is no directory here, so that a walk over the
// listing alone cannot loop. False when the directory cannot be listed.
bool ListDirectory(const std::string& directory, std::vector<DirectoryEntry>& entries);

// What a path leads to once every link on the way is followed. Two paths
// lead to the same file or directory when their identities are equal:
// device and inode on POSIX, volume serial and file ID on Windows.
struct PathTarget {
    bool isDirectory = false;
    uint64_t size = 0;
    uint64_t volume = 0;
    uint64_t fileId = 0;
};

// False when the path leads nowhere (a dangling link, a missing file).
bool DescribeTarget(const std::string& path, PathTarget& target);

// Replaces target by source in one step, so that a reader sees either the old
// or the new file, never a part of one.
bool ReplaceFile(const std::string& source, const std::string& target);

// True for an existing regular file (or a link to one).
bool IsRegularFile(const std::string& path);

}
