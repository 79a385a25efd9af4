#pragma once

#include "engine/files/Compression.h"
#include "engine/files/MemoryStream.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

// One row of the archive's file list.
struct PakEntry {
    std::string name;
    uint32_t packedSize = 0;
    uint32_t offset = 0;  // from the start of the data area
};

// The magic the archive starts with, no terminator.
constexpr char kPakMagic[] = "ZPPAK";
constexpr uint32_t kPakMagicSize = 5;

// The spelling archive names are stored and looked up in: 'A' to 'Z' become
// lower case, nothing else changes.
std::string LowercasePakName(const std::string& path);

// The whole archive, held in memory and indexed by lower-case path. Files are
// inflated from memory on request; the table never changes after Open.
class PakArchive {
public:
    // No inflation, the file list's included, may produce more than
    // inflateLimit bytes.
    explicit PakArchive(uint64_t inflateLimit = kInflateLimit) : inflateLimit(inflateLimit) {}

    // False for anything but a complete, consistent archive; logs nothing.
    bool Open(const std::string& path);
    // The same over an archive already in memory, which is copied.
    bool OpenFromMemory(const MemoryStream& archive);
    bool Contains(const std::string& path) const;
    // Appends the file's bytes to out (which should be empty).
    bool Extract(const std::string& path, MemoryStream& out) const;
    // Every file's name as stored, in sorted order.
    std::vector<std::string> Names() const;

private:
    bool Index();
    bool ReadHeader(uint32_t& listSize);
    bool ReadFileList(MemoryStream& list);
    bool ReadEntry(MemoryStream& list, PakEntry& entry) const;
    const PakEntry* Find(const std::string& path) const;

    uint64_t inflateLimit;
    MemoryStream bytes;
    uint32_t dataStart = 0;
    std::map<std::string, PakEntry> entries;
};
