#pragma once

namespace platform {

using ModuleHandle = void*;

// Loads a shared library by path; null on failure.
ModuleHandle LoadModule(const char* path);
// The address of an exported symbol, or null.
void* FindModuleSymbol(ModuleHandle module, const char* name);
void FreeModule(ModuleHandle module);

}
