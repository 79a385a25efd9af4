#include "engine/render/GLErrorText.h"

#include <cstdio>

namespace {

const char* KnownErrorName(GLenum code) {
    switch (code) {
    case 0x0500: return "GL_INVALID_ENUM";
    case 0x0501: return "GL_INVALID_VALUE";
    case 0x0502: return "GL_INVALID_OPERATION";
    case 0x0503: return "GL_STACK_OVERFLOW";
    case 0x0504: return "GL_STACK_UNDERFLOW";
    case 0x0505: return "GL_OUT_OF_MEMORY";
    default: return nullptr;
    }
}

}

std::string GetGLErrorText(GLenum code, const std::string& prefix) {
    if (code == 0)
        return "No error.";
    if (const char* name = KnownErrorName(code))
        return prefix + " " + name;
    char unknown[48];
    std::snprintf(unknown, sizeof unknown, "Unknown error (%d).", static_cast<int>(code));
    return prefix + unknown;
}
