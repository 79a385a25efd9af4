#include "engine/platform/win32/Win32Headers.h"

#include "engine/platform/DirectoryListing.h"

namespace platform {

namespace {

std::string SearchPattern(const std::string& directory) {
    const bool separated = !directory.empty() && (directory.back() == '/' || directory.back() == '\\');
    return directory + (separated ? "*" : "\\*");
}

// A reparse point (a link or junction) is described as itself, so that a walk
// over the listing cannot loop.
DirectoryEntry DescribeEntry(const WIN32_FIND_DATAA& found) {
    DirectoryEntry entry;
    entry.name = found.cFileName;
    entry.isLink = (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    entry.isDirectory = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !entry.isLink;
    entry.size = (static_cast<uint64_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
    return entry;
}

bool IsDirectory(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The attributes report a link itself; opening it reaches what it points to
// (backup semantics open directories too).
bool DescribeOpened(const std::string& path, BY_HANDLE_FILE_INFORMATION& information) {
    HANDLE file = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    const bool described = GetFileInformationByHandle(file, &information) != 0;
    CloseHandle(file);
    return described;
}

DWORD TargetAttributes(const std::string& path) {
    BY_HANDLE_FILE_INFORMATION information;
    return DescribeOpened(path, information) ? information.dwFileAttributes : INVALID_FILE_ATTRIBUTES;
}

}

bool ListDirectory(const std::string& directory, std::vector<DirectoryEntry>& entries) {
    entries.clear();
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(SearchPattern(directory).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        // A drive's root may hold nothing at all, not even "." and "..".
        return GetLastError() == ERROR_FILE_NOT_FOUND && IsDirectory(directory);
    do
        entries.push_back(DescribeEntry(found));
    while (FindNextFileA(search, &found));
    FindClose(search);
    return true;
}

bool DescribeTarget(const std::string& path, PathTarget& target) {
    BY_HANDLE_FILE_INFORMATION information;
    if (!DescribeOpened(path, information))
        return false;
    target.isDirectory = (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    target.size = (static_cast<uint64_t>(information.nFileSizeHigh) << 32) | information.nFileSizeLow;
    target.volume = information.dwVolumeSerialNumber;
    target.fileId = (static_cast<uint64_t>(information.nFileIndexHigh) << 32) | information.nFileIndexLow;
    return true;
}

// The C runtime's rename refuses an existing target.
bool ReplaceFile(const std::string& source, const std::string& target) {
    return MoveFileExA(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

bool IsRegularFile(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT))
        attributes = TargetAttributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE));
}

}
