#include "engine/core/LibraryCache.h"

#include "engine/core/DynamicLibrary.h"

LibraryCache::~LibraryCache() {
    // Each library leaves the map before it is deleted, so its Unload finds
    // nothing to remove.
    while (!libraries.empty()) {
        DynamicLibrary* library = libraries.begin()->second;
        libraries.erase(libraries.begin());
        library->ClearReferences();
        delete library;
    }
}

void LibraryCache::Insert(uint32_t pathHash, DynamicLibrary* library) { libraries[pathHash] = library; }

void LibraryCache::Remove(uint32_t pathHash, const DynamicLibrary* library) {
    auto found = libraries.find(pathHash);
    if (found != libraries.end() && found->second == library)
        libraries.erase(found);
}

DynamicLibrary* LibraryCache::Find(uint32_t pathHash) const {
    auto found = libraries.find(pathHash);
    return found == libraries.end() ? nullptr : found->second;
}
