#include "engine/core/DynamicLibrary.h"

#include "engine/core/Engine.h"
#include "engine/core/FactoryRegistry.h"
#include "engine/core/LibraryCache.h"
#include "engine/core/Message.h"
#include "engine/core/PathHash.h"

namespace {

DynamicLibrary* CreateDynamicLibrary() { return new DynamicLibrary; }
const FactoryRegistration<DynamicLibrary> registration(1, CreateDynamicLibrary);

LibraryCache* EngineLibraryCache() {
    Engine* engine = GetEngine();
    return engine ? engine->GetLibraryCache() : nullptr;
}

}

DynamicLibrary::~DynamicLibrary() { Unload(); }

bool DynamicLibrary::Open(const std::string& libraryPath) {
    // Reopening must not leave the old module loaded or its cache entry behind.
    Unload();
    path = libraryPath;
    module = platform::LoadModule(path.c_str());
    if (!module) {
        Message(LOG_ERROR, "Cannot load module %s.", path.c_str());
        return false;
    }
    if (LibraryCache* cache = EngineLibraryCache())
        cache->Insert(PathHash(path), this);
    Message(LOG_SYSTEM, "Loaded library %s.", path.c_str());
    return true;
}

void DynamicLibrary::Unload() {
    if (LibraryCache* cache = EngineLibraryCache())
        cache->Remove(PathHash(path), this);
    if (!module)
        return;
    platform::FreeModule(module);
    module = nullptr;
    Message(LOG_SYSTEM, "Unloaded library %s.", path.c_str());
}

const std::string& DynamicLibrary::GetPath() const { return path; }

void* DynamicLibrary::GetSymbol(const char* name) {
    void* symbol = platform::FindModuleSymbol(module, name);
    if (!symbol)
        Message(LOG_ERROR, "Cannot find symbol %s in module %s.", name ? name : "", path.c_str());
    return symbol;
}
