#include "engine/platform/ModuleLoader.h"

#include <dlfcn.h>

namespace platform {

// dlopen and dlsym read a null or empty name as "the program itself"; a
// library loader must fail there instead.
ModuleHandle LoadModule(const char* path) {
    if (!path || !*path)
        return nullptr;
    return dlopen(path, RTLD_NOW | RTLD_LOCAL);
}

void* FindModuleSymbol(ModuleHandle module, const char* name) {
    if (!module || !name)
        return nullptr;
    return dlsym(module, name);
}

void FreeModule(ModuleHandle module) {
    if (module)
        dlclose(module);
}

}
