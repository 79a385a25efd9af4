#pragma once

#include <cstdint>
#include <map>

class DynamicLibrary;

// The open libraries by PathHash of their path. Deleting the cache deletes
// the libraries still in it.
class LibraryCache {
public:
    LibraryCache() = default;
    LibraryCache(const LibraryCache&) = delete;
    LibraryCache& operator=(const LibraryCache&) = delete;
    ~LibraryCache();

    // Replaces the library entered under the same hash, which stays with its owner.
    void Insert(uint32_t pathHash, DynamicLibrary* library);
    // Only when the entry is this library: another one may have replaced it.
    void Remove(uint32_t pathHash, const DynamicLibrary* library);
    DynamicLibrary* Find(uint32_t pathHash) const;

private:
    std::map<uint32_t, DynamicLibrary*> libraries;
};
