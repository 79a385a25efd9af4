#pragma once

#include "engine/render/GLFunctions.h"

#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

// A GL table of recording fakes, installed for the lifetime of the object:
// every call is logged by name (with its arguments where tests look at
// them), names are handed out counting up from 1, compile and link succeed
// unless a test says otherwise, and textures report the size uploaded.
struct FakeGLState {
    std::vector<std::string> calls;
    GLuint nextName = 1;
    GLint compileStatus = 1;
    GLint linkStatus = 1;
    std::string infoLog;
    GLenum framebufferStatus = 0x8CD5;
    GLint lastTextureWidth = 0;
    GLint lastTextureHeight = 0;
    std::map<GLuint, std::string> shaderSources;
    std::map<std::string, GLint> uniformLocations;

    int Count(const std::string& call) const {
        int count = 0;
        for (const std::string& made : calls)
            count += made == call;
        return count;
    }
    // Calls whose text starts with the prefix.
    int CountPrefix(const std::string& prefix) const {
        int count = 0;
        for (const std::string& made : calls)
            count += made.compare(0, prefix.size(), prefix) == 0;
        return count;
    }
};

inline FakeGLState fakeGL;

namespace fakegl {

inline void Record(const char* format, ...) __attribute__((format(printf, 1, 2)));
inline void Record(const char* format, ...) {
    char text[256];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(text, sizeof text, format, arguments);
    va_end(arguments);
    fakeGL.calls.push_back(text);
}

template <typename T>
T Nothing() {
    return T();
}

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-parameter"
#define ZP_FAKE_GL_GENERIC(name, result, parameters) \
    inline result ZP_GLAPI Generic_##name parameters {  \
        Record("%s", #name);                         \
        return Nothing<result>();                    \
    }
ZP_GL_LINKED_FUNCTIONS(ZP_FAKE_GL_GENERIC)
ZP_GL_FETCHED_FUNCTIONS(ZP_FAKE_GL_GENERIC)
#undef ZP_FAKE_GL_GENERIC
#pragma GCC diagnostic pop

inline void ZP_GLAPI Enable(GLenum cap) { Record("glEnable(0x%x)", cap); }
inline void ZP_GLAPI Disable(GLenum cap) { Record("glDisable(0x%x)", cap); }
inline void ZP_GLAPI BlendFunc(GLenum s, GLenum d) { Record("glBlendFunc(0x%x,0x%x)", s, d); }
inline void ZP_GLAPI Clear(GLbitfield mask) { Record("glClear(0x%x)", mask); }
inline void ZP_GLAPI EnableAttribute(GLuint i) { Record("glEnableVertexAttribArray(%u)", i); }
inline void ZP_GLAPI DisableAttribute(GLuint i) { Record("glDisableVertexAttribArray(%u)", i); }
inline void ZP_GLAPI AttributeDivisor(GLuint i, GLuint d) { Record("glVertexAttribDivisor(%u,%u)", i, d); }
inline void ZP_GLAPI AttributePointer(GLuint i, GLint n, GLenum type, GLboolean normalized, GLsizei stride,
                                      const void* offset) {
    Record("glVertexAttribPointer(%u,%d,0x%x,%d,%d,%lu)", i, n, type, normalized, stride,
           static_cast<unsigned long>(reinterpret_cast<uintptr_t>(offset)));
}
inline void ZP_GLAPI BindBuffer(GLenum target, GLuint buffer) { Record("glBindBuffer(0x%x,%u)", target, buffer); }
inline void ZP_GLAPI DrawElements(GLenum mode, GLsizei count, GLenum type, const void*) {
    Record("glDrawElements(0x%x,%d,0x%x)", mode, count, type);
}
inline void ZP_GLAPI DrawInstanced(GLenum mode, GLsizei count, GLenum type, const void*, GLsizei instances) {
    Record("glDrawElementsInstanced(0x%x,%d,0x%x,%d)", mode, count, type, instances);
}
inline void ZP_GLAPI UseProgram(GLuint program) { Record("glUseProgram(%u)", program); }
inline void ZP_GLAPI Viewport(GLint x, GLint y, GLsizei w, GLsizei h) { Record("glViewport(%d,%d,%d,%d)", x, y, w, h); }
inline void ZP_GLAPI BindFramebuffer(GLenum, GLuint framebuffer) { Record("glBindFramebuffer(%u)", framebuffer); }

inline void ZP_GLAPI GenNames(GLsizei count, GLuint* names) {
    for (GLsizei i = 0; i < count; ++i)
        names[i] = fakeGL.nextName++;
}
inline GLuint ZP_GLAPI CreateShader(GLenum type) {
    Record("glCreateShader(0x%x)", type);
    return fakeGL.nextName++;
}
inline GLuint ZP_GLAPI CreateProgram() {
    Record("glCreateProgram");
    return fakeGL.nextName++;
}
inline void ZP_GLAPI ShaderSource(GLuint shader, GLsizei, const GLchar* const* text, const GLint*) {
    Record("glShaderSource(%u)", shader);
    fakeGL.shaderSources[shader] = text[0];
}
inline void ZP_GLAPI CompileShader(GLuint shader) { Record("glCompileShader(%u)", shader); }
inline void ZP_GLAPI LinkProgram(GLuint program) { Record("glLinkProgram(%u)", program); }
inline void ZP_GLAPI AttachShader(GLuint program, GLuint shader) { Record("glAttachShader(%u,%u)", program, shader); }
inline void ZP_GLAPI GetShaderiv(GLuint, GLenum name, GLint* value) {
    *value = name == 0x8B81 ? fakeGL.compileStatus : static_cast<GLint>(fakeGL.infoLog.size() + 1);
}
inline void ZP_GLAPI GetProgramiv(GLuint, GLenum name, GLint* value) {
    *value = name == 0x8B82 ? fakeGL.linkStatus : static_cast<GLint>(fakeGL.infoLog.size() + 1);
}
inline void ZP_GLAPI GetInfoLog(GLuint, GLsizei size, GLsizei*, GLchar* log) {
    std::snprintf(log, static_cast<size_t>(size), "%s", fakeGL.infoLog.c_str());
}
inline GLint ZP_GLAPI GetUniformLocation(GLuint program, const GLchar* name) {
    Record("glGetUniformLocation(%u,%s)", program, name);
    auto found = fakeGL.uniformLocations.find(name);
    return found == fakeGL.uniformLocations.end() ? -1 : found->second;
}
inline void ZP_GLAPI Uniform1f(GLint location, GLfloat value) { Record("glUniform1f(%d,%g)", location, value); }
inline void ZP_GLAPI TexImage2D(GLenum, GLint, GLint, GLsizei width, GLsizei height, GLint, GLenum format, GLenum,
                                const void*) {
    Record("glTexImage2D(%d,%d,0x%x)", width, height, format);
    fakeGL.lastTextureWidth = width;
    fakeGL.lastTextureHeight = height;
}
inline void ZP_GLAPI GetTexLevelParameteriv(GLenum, GLint, GLenum name, GLint* value) {
    *value = name == 0x1000 ? fakeGL.lastTextureWidth : fakeGL.lastTextureHeight;
}
inline GLenum ZP_GLAPI CheckFramebufferStatus(GLenum) { return fakeGL.framebufferStatus; }

}

class FakeGLScope {
public:
    FakeGLScope() : saved(gl) {
        fakeGL = FakeGLState();
#define ZP_FAKE_GL_INSTALL(name, result, parameters) gl.name = fakegl::Generic_##name;
        ZP_GL_LINKED_FUNCTIONS(ZP_FAKE_GL_INSTALL)
        ZP_GL_FETCHED_FUNCTIONS(ZP_FAKE_GL_INSTALL)
#undef ZP_FAKE_GL_INSTALL
        gl.glEnable = fakegl::Enable;
        gl.glDisable = fakegl::Disable;
        gl.glBlendFunc = fakegl::BlendFunc;
        gl.glClear = fakegl::Clear;
        gl.glEnableVertexAttribArray = fakegl::EnableAttribute;
        gl.glDisableVertexAttribArray = fakegl::DisableAttribute;
        gl.glVertexAttribDivisor = fakegl::AttributeDivisor;
        gl.glVertexAttribPointer = fakegl::AttributePointer;
        gl.glBindBuffer = fakegl::BindBuffer;
        gl.glDrawElements = fakegl::DrawElements;
        gl.glDrawElementsInstanced = fakegl::DrawInstanced;
        gl.glUseProgram = fakegl::UseProgram;
        gl.glViewport = fakegl::Viewport;
        gl.glBindFramebuffer = fakegl::BindFramebuffer;
        gl.glGenBuffers = gl.glGenTextures = gl.glGenFramebuffers = gl.glGenRenderbuffers = fakegl::GenNames;
        gl.glCreateShader = fakegl::CreateShader;
        gl.glCreateProgram = fakegl::CreateProgram;
        gl.glShaderSource = fakegl::ShaderSource;
        gl.glCompileShader = fakegl::CompileShader;
        gl.glLinkProgram = fakegl::LinkProgram;
        gl.glAttachShader = fakegl::AttachShader;
        gl.glGetShaderiv = fakegl::GetShaderiv;
        gl.glGetProgramiv = fakegl::GetProgramiv;
        gl.glGetShaderInfoLog = gl.glGetProgramInfoLog = fakegl::GetInfoLog;
        gl.glGetUniformLocation = fakegl::GetUniformLocation;
        gl.glUniform1f = fakegl::Uniform1f;
        gl.glTexImage2D = fakegl::TexImage2D;
        gl.glGetTexLevelParameteriv = fakegl::GetTexLevelParameteriv;
        gl.glCheckFramebufferStatus = fakegl::CheckFramebufferStatus;
    }
    ~FakeGLScope() { gl = saved; }
    FakeGLScope(const FakeGLScope&) = delete;
    FakeGLScope& operator=(const FakeGLScope&) = delete;

private:
    GLFunctions saved;
};
