#include "engine/render/GLFunctions.h"

#include "engine/platform/ErrorDialog.h"
#include "engine/platform/GLLibrary.h"

#include <string>

namespace {

GLFunctions MakeLinkedTable() {
    GLFunctions table;
    platform::FillLinkedGLFunctions(table);
    return table;
}

void ShowImportErrorBox(const char* text) { platform::ShowErrorBox("Application error", text); }

// Stores the lookup (null too); on null shows the box and stops the fetch.
template <typename Entry>
bool Fetch(Entry& entry, const char* name, GLProcLoader loader, GLErrorBoxFunction showBox) {
    entry = reinterpret_cast<Entry>(loader(name));
    if (entry || platform::LacksGLEntryPoint(name))
        return true;
    std::string text = std::string("Cannot import OpenGL function ") + name;
    showBox(text.c_str());
    return false;
}

}

GLFunctions gl = MakeLinkedTable();

bool LoadGLEntryPoints() { return LoadGLEntryPoints(platform::GetGLProcAddress, ShowImportErrorBox); }

bool LoadGLEntryPoints(GLProcLoader loader, GLErrorBoxFunction showBox) {
#define ZP_GL_FETCH_ENTRY(name, result, parameters) \
    if (!Fetch(gl.name, #name, loader, showBox))    \
        return false;
    ZP_GL_FETCHED_FUNCTIONS(ZP_GL_FETCH_ENTRY)
#undef ZP_GL_FETCH_ENTRY
    return true;
}

bool LoadOptionalGLEntryPoints() { return LoadOptionalGLEntryPoints(platform::GetGLProcAddress); }

bool LoadOptionalGLEntryPoints(GLProcLoader loader) {
#define ZP_GL_FETCH_OPTIONAL(name, result, parameters) gl.name = reinterpret_cast<decltype(gl.name)>(loader(#name));
    ZP_GL_OPTIONAL_FUNCTIONS(ZP_GL_FETCH_OPTIONAL)
#undef ZP_GL_FETCH_OPTIONAL
    return HasGLTimerQueries();
}

bool HasGLTimerQueries() {
    return gl.glGenQueries && gl.glDeleteQueries && gl.glQueryCounter && gl.glGetQueryObjectiv &&
           gl.glGetQueryObjectui64v;
}
