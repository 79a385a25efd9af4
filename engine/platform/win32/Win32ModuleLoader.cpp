#include "engine/platform/win32/Win32Headers.h"

#include "engine/platform/ModuleLoader.h"

namespace platform {

// LoadLibraryA would otherwise take an empty name as a search for ".dll".
ModuleHandle LoadModule(const char* path) {
    if (!path || !*path)
        return nullptr;
    return LoadLibraryA(path);
}

void* FindModuleSymbol(ModuleHandle module, const char* name) {
    if (!module || !name)
        return nullptr;
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(module), name));
}

void FreeModule(ModuleHandle module) {
    if (module)
        FreeLibrary(static_cast<HMODULE>(module));
}

}
