#include "engine/platform/DirectoryListing.h"

#include <cstdio>
#include <dirent.h>
#include <sys/stat.h>

namespace platform {

namespace {

// lstat, so that a link is described as itself: a link to a directory is no
// directory, and a walk over the listing cannot loop.
DirectoryEntry DescribeEntry(const std::string& directory, const char* name) {
    DirectoryEntry entry;
    entry.name = name;
    struct stat info {};
    if (lstat((directory + "/" + entry.name).c_str(), &info) == 0) {
        entry.isDirectory = S_ISDIR(info.st_mode);
        entry.isLink = S_ISLNK(info.st_mode);
        entry.size = static_cast<uint64_t>(info.st_size);
    }
    return entry;
}

}

bool ListDirectory(const std::string& directory, std::vector<DirectoryEntry>& entries) {
    entries.clear();
    DIR* handle = opendir(directory.c_str());
    if (!handle)
        return false;
    while (const dirent* item = readdir(handle))
        entries.push_back(DescribeEntry(directory, item->d_name));
    closedir(handle);
    return true;
}

bool DescribeTarget(const std::string& path, PathTarget& target) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0)
        return false;
    target.isDirectory = S_ISDIR(info.st_mode);
    target.size = static_cast<uint64_t>(info.st_size);
    target.volume = static_cast<uint64_t>(info.st_dev);
    target.fileId = static_cast<uint64_t>(info.st_ino);
    return true;
}

bool ReplaceFile(const std::string& source, const std::string& target) {
    return std::rename(source.c_str(), target.c_str()) == 0;
}

bool IsRegularFile(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

}
