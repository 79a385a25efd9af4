#include "engine/platform/GLLibrary.h"

#include <GL/gl.h>
#include <SDL.h>
#include <cstring>

#include "engine/render/GLFunctions.h"

namespace platform {

namespace {

// A name lookup of the WGL swap-control entry on GLX yields a stub that does
// nothing, so the table gets SDL's swap-interval call under that name.
int ZP_GLAPI SdlSwapInterval(int interval) { return SDL_GL_SetSwapInterval(interval) == 0 ? 1 : 0; }

}

void FillLinkedGLFunctions(GLFunctions& table) {
#define ZP_GL_TAKE_LINKED(name, result, parameters) table.name = &::name;
    ZP_GL_LINKED_FUNCTIONS(ZP_GL_TAKE_LINKED)
#undef ZP_GL_TAKE_LINKED
}

void* GetGLProcAddress(const char* name) {
    if (std::strcmp(name, "wglSwapIntervalEXT") == 0)
        return reinterpret_cast<void*>(&SdlSwapInterval);
    return SDL_GL_GetProcAddress(name);
}

bool LacksGLEntryPoint(const char* /*name*/) { return false; }

}
