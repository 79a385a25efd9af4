#include "engine/files/PakArchive.h"

#include "engine/files/Compression.h"

#include <cstring>
#include <utility>

std::string LowercasePakName(const std::string& path) {
    std::string name = path;
    for (char& c : name)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return name;
}

bool PakArchive::Open(const std::string& path) {
    bytes = MemoryStream();
    entries.clear();
    dataStart = 0;
    return bytes.LoadFromFile(path) && Index();
}

bool PakArchive::OpenFromMemory(const MemoryStream& archive) {
    bytes = archive;
    entries.clear();
    dataStart = 0;
    return Index();
}

bool PakArchive::Index() {
    uint32_t listSize = 0;
    if (!ReadHeader(listSize))
        return false;
    // The list must lie inside the file; the data area may be empty.
    if (listSize > bytes.Length() - bytes.Tell())
        return false;
    dataStart = bytes.Tell() + listSize;
    MemoryStream list;
    if (!DecompressToStream(bytes.Data() + bytes.Tell(), listSize, list, inflateLimit))
        return false;
    return ReadFileList(list);
}

bool PakArchive::ReadHeader(uint32_t& listSize) {
    char magic[kPakMagicSize] = {};
    if (bytes.Read(magic, kPakMagicSize) != static_cast<int32_t>(kPakMagicSize) ||
        std::memcmp(magic, kPakMagic, kPakMagicSize) != 0)
        return false;
    bytes.ReadUInt32(listSize);
    return bytes.IsGood();
}

bool PakArchive::ReadFileList(MemoryStream& list) {
    uint32_t count = 0;
    list.ReadUInt32(count);
    if (!list.IsGood())
        return false;
    for (uint32_t i = 0; i < count; ++i) {
        PakEntry entry;
        if (!ReadEntry(list, entry))
            return false;
        // Stored as read, not lowercased again; a later duplicate wins.
        const std::string name = entry.name;
        entries[name] = std::move(entry);
    }
    return true;
}

bool PakArchive::ReadEntry(MemoryStream& list, PakEntry& entry) const {
    list.ReadString(entry.name);
    if (!list.IsGood())
        return false;
    list.ReadUInt32(entry.offset);
    if (!list.IsGood())
        return false;
    list.ReadUInt32(entry.packedSize);
    if (!list.IsGood())
        return false;
    // Every stream must lie inside the data area, so Extract never reads
    // outside the loaded bytes.
    const uint64_t end = static_cast<uint64_t>(entry.offset) + entry.packedSize;
    return end <= bytes.Length() - dataStart;
}

const PakEntry* PakArchive::Find(const std::string& path) const {
    const auto found = entries.find(LowercasePakName(path));
    return found == entries.end() ? nullptr : &found->second;
}

std::vector<std::string> PakArchive::Names() const {
    std::vector<std::string> names;
    names.reserve(entries.size());
    for (const auto& entry : entries)
        names.push_back(entry.first);
    return names;
}

bool PakArchive::Contains(const std::string& path) const { return Find(path) != nullptr; }

bool PakArchive::Extract(const std::string& path, MemoryStream& out) const {
    const PakEntry* entry = Find(path);
    if (!entry)
        return false;
    return DecompressToStream(bytes.Data() + dataStart + entry->offset, entry->packedSize, out, inflateLimit);
}
