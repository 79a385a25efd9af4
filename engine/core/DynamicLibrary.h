#pragma once

#include "engine/platform/ModuleLoader.h"

#include <cstdint>
#include <string>

// A shared library loaded by path. An open library is entered in the engine's
// LibraryCache, which deletes the libraries still open at shutdown; the owner
// may delete one earlier, which takes it out of the cache.
class DynamicLibrary {
public:
    DynamicLibrary() = default;
    DynamicLibrary(const DynamicLibrary&) = delete;
    DynamicLibrary& operator=(const DynamicLibrary&) = delete;

    virtual ~DynamicLibrary();
    // Unloads what this object held before. False (and an error) when the
    // library cannot be loaded.
    virtual bool Open(const std::string& path);
    // Harmless when nothing is loaded.
    virtual void Unload();
    virtual const std::string& GetPath() const;
    // Null (and an error) when the symbol is missing or nothing is loaded.
    virtual void* GetSymbol(const char* name);

    int32_t GetReferences() const { return references; }
    void AddReference() { ++references; }
    void ClearReferences() { references = 0; }

private:
    int32_t references = 0;
    platform::ModuleHandle module = nullptr;
    std::string path;
};
