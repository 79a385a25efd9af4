#include "engine/platform/win32/Win32Headers.h"

#include "engine/platform/win32/Win32GLLibrary.h"

#include "engine/platform/GLLibrary.h"

#include <GL/gl.h>
#include <cstdint>

#include "engine/render/GLFunctions.h"

namespace platform {

namespace {

void* AsAddress(PROC entry) { return reinterpret_cast<void*>(reinterpret_cast<void (*)()>(entry)); }

bool IsMissingEntry(void* entry) {
    const intptr_t value = reinterpret_cast<intptr_t>(entry);
    return value >= -1 && value <= 3;
}

}

void FillLinkedGLFunctions(GLFunctions& table) {
#define ZP_GL_TAKE_LINKED(name, result, parameters) table.name = &::name;
    ZP_GL_LINKED_FUNCTIONS(ZP_GL_TAKE_LINKED)
#undef ZP_GL_TAKE_LINKED
}

void* FindWglEntryPoint(const char* name) {
    void* entry = AsAddress(wglGetProcAddress(name));
    return IsMissingEntry(entry) ? nullptr : entry;
}

// wglGetProcAddress knows only what lies beyond OpenGL 1.1; the library's own
// exports answer for the rest. On Windows the swap-interval entry is the
// driver's own, under its extension name.
void* GetGLProcAddress(const char* name) {
    if (void* entry = FindWglEntryPoint(name))
        return entry;
    HMODULE library = GetModuleHandleA("opengl32.dll");
    return library ? AsAddress(GetProcAddress(library, name)) : nullptr;
}

bool LacksGLEntryPoint(const char* /*name*/) { return false; }

}
