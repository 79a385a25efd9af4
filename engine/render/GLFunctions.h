#pragma once

// The engine calls OpenGL only through the table below: the 1.1 functions
// come from the linked library, the rest are fetched by name once a context
// is current. Tests put counting functions in its place.

#include <stdint.h>

#if defined(_WIN32) && !defined(_WIN64)
#define ZP_GLAPI __stdcall
#else
#define ZP_GLAPI
#endif

// The same types the system's GL headers declare, so both may be seen together.
typedef unsigned int GLenum;
typedef unsigned char GLboolean;
typedef unsigned int GLbitfield;
typedef int GLint;
typedef int GLsizei;
typedef unsigned int GLuint;
typedef unsigned char GLubyte;
typedef float GLfloat;
typedef float GLclampf;
typedef double GLclampd;
typedef char GLchar;
typedef uint64_t GLuint64;
#if defined(_WIN64)
typedef signed long long int GLsizeiptr;
typedef signed long long int GLintptr;
#else
typedef signed long int GLsizeiptr;
typedef signed long int GLintptr;
#endif

// OpenGL 1.1, taken from the linked library: name, result, parameters.
#define ZP_GL_LINKED_FUNCTIONS(X)                                                                       \
    X(glViewport, void, (GLint x, GLint y, GLsizei width, GLsizei height))                              \
    X(glGetString, const GLubyte*, (GLenum name))                                                       \
    X(glClearColor, void, (GLclampf red, GLclampf green, GLclampf blue, GLclampf alpha))                \
    X(glClearDepth, void, (GLclampd depth))                                                             \
    X(glClearStencil, void, (GLint stencil))                                                            \
    X(glClear, void, (GLbitfield mask))                                                                 \
    X(glEnable, void, (GLenum capability))                                                              \
    X(glDisable, void, (GLenum capability))                                                             \
    X(glGetTexLevelParameteriv, void, (GLenum target, GLint level, GLenum name, GLint * value))         \
    X(glTexImage2D, void,                                                                               \
      (GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height, GLint border,   \
       GLenum format, GLenum type, const void* pixels))                                                 \
    X(glTexParameteri, void, (GLenum target, GLenum name, GLint value))                                 \
    X(glBindTexture, void, (GLenum target, GLuint texture))                                             \
    X(glPixelStorei, void, (GLenum name, GLint value))                                                  \
    X(glReadPixels, void,                                                                               \
      (GLint x, GLint y, GLsizei width, GLsizei height, GLenum format, GLenum type, void* pixels))      \
    X(glFinish, void, (void))                                                                           \
    X(glGenTextures, void, (GLsizei count, GLuint * textures))                                          \
    X(glDeleteTextures, void, (GLsizei count, const GLuint* textures))                                  \
    X(glGetError, GLenum, (void))                                                                       \
    X(glDrawElements, void, (GLenum mode, GLsizei count, GLenum type, const void* indices))             \
    X(glBlendFunc, void, (GLenum source, GLenum destination))

// Fetched by name, in the order they are fetched and checked.
#define ZP_GL_FETCHED_FUNCTIONS(X)                                                                      \
    X(glGenBuffers, void, (GLsizei count, GLuint * buffers))                                            \
    X(glDeleteBuffers, void, (GLsizei count, const GLuint* buffers))                                    \
    X(glBindBuffer, void, (GLenum target, GLuint buffer))                                               \
    X(glMapBuffer, void*, (GLenum target, GLenum access))                                               \
    X(glUnmapBuffer, GLboolean, (GLenum target))                                                        \
    X(glBufferData, void, (GLenum target, GLsizeiptr size, const void* data, GLenum usage))             \
    X(glBufferSubData, void, (GLenum target, GLintptr offset, GLsizeiptr size, const void* data))       \
    X(wglSwapIntervalEXT, int, (int interval))                                                          \
    X(glCreateShader, GLuint, (GLenum type))                                                            \
    X(glDeleteShader, void, (GLuint shader))                                                            \
    X(glShaderSource, void, (GLuint shader, GLsizei count, const GLchar* const* text, const GLint* length)) \
    X(glCompileShader, void, (GLuint shader))                                                           \
    X(glAttachShader, void, (GLuint program, GLuint shader))                                            \
    X(glGetShaderiv, void, (GLuint shader, GLenum name, GLint * value))                                 \
    X(glGetShaderInfoLog, void, (GLuint shader, GLsizei size, GLsizei * length, GLchar * log))          \
    X(glCreateProgram, GLuint, (void))                                                                  \
    X(glDeleteProgram, void, (GLuint program))                                                          \
    X(glLinkProgram, void, (GLuint program))                                                            \
    X(glUseProgram, void, (GLuint program))                                                             \
    X(glGetProgramiv, void, (GLuint program, GLenum name, GLint * value))                               \
    X(glGetProgramInfoLog, void, (GLuint program, GLsizei size, GLsizei * length, GLchar * log))        \
    X(glGetUniformLocation, GLint, (GLuint program, const GLchar* name))                                \
    X(glUniform1i, void, (GLint location, GLint x))                                                     \
    X(glUniform2i, void, (GLint location, GLint x, GLint y))                                            \
    X(glUniform3i, void, (GLint location, GLint x, GLint y, GLint z))                                   \
    X(glUniform4i, void, (GLint location, GLint x, GLint y, GLint z, GLint w))                          \
    X(glUniform1f, void, (GLint location, GLfloat x))                                                   \
    X(glUniform2f, void, (GLint location, GLfloat x, GLfloat y))                                        \
    X(glUniform3f, void, (GLint location, GLfloat x, GLfloat y, GLfloat z))                             \
    X(glUniform4f, void, (GLint location, GLfloat x, GLfloat y, GLfloat z, GLfloat w))                  \
    X(glUniform1fv, void, (GLint location, GLsizei count, const GLfloat* values))                       \
    X(glUniform2fv, void, (GLint location, GLsizei count, const GLfloat* values))                       \
    X(glUniform3fv, void, (GLint location, GLsizei count, const GLfloat* values))                       \
    X(glUniform4fv, void, (GLint location, GLsizei count, const GLfloat* values))                       \
    X(glUniformMatrix4fv, void, (GLint location, GLsizei count, GLboolean transpose, const GLfloat* values)) \
    X(glActiveTexture, void, (GLenum unit))                                                             \
    X(glBindSampler, void, (GLuint unit, GLuint sampler))                                               \
    X(glVertexAttribPointer, void,                                                                      \
      (GLuint index, GLint size, GLenum type, GLboolean normalized, GLsizei stride, const void* offset)) \
    X(glEnableVertexAttribArray, void, (GLuint index))                                                  \
    X(glDisableVertexAttribArray, void, (GLuint index))                                                 \
    X(glVertexAttribDivisor, void, (GLuint index, GLuint divisor))                                      \
    X(glDrawElementsInstanced, void,                                                                    \
      (GLenum mode, GLsizei count, GLenum type, const void* indices, GLsizei instances))                \
    X(glDrawElementsInstancedBaseVertex, void,                                                          \
      (GLenum mode, GLsizei count, GLenum type, const void* indices, GLsizei instances, GLint baseVertex)) \
    X(glGenFramebuffers, void, (GLsizei count, GLuint * framebuffers))                                  \
    X(glDeleteFramebuffers, void, (GLsizei count, const GLuint* framebuffers))                          \
    X(glBindFramebuffer, void, (GLenum target, GLuint framebuffer))                                     \
    X(glFramebufferTexture, void, (GLenum target, GLenum attachment, GLuint texture, GLint level))      \
    X(glCheckFramebufferStatus, GLenum, (GLenum target))                                                \
    X(glGenRenderbuffers, void, (GLsizei count, GLuint * renderbuffers))                                \
    X(glDeleteRenderbuffers, void, (GLsizei count, const GLuint* renderbuffers))                        \
    X(glBindRenderbuffer, void, (GLenum target, GLuint renderbuffer))                                   \
    X(glRenderbufferStorage, void, (GLenum target, GLenum format, GLsizei width, GLsizei height))       \
    X(glFramebufferRenderbuffer, void,                                                                  \
      (GLenum target, GLenum attachment, GLenum renderbufferTarget, GLuint renderbuffer))               \
    X(glDrawBuffers, void, (GLsizei count, const GLenum* buffers))

// Fetched apart, only by the tools that use them, and silently: the program
// runs the same whether the driver has them or not.
#define ZP_GL_OPTIONAL_FUNCTIONS(X)                                                                     \
    X(glGenQueries, void, (GLsizei count, GLuint * queries))                                            \
    X(glDeleteQueries, void, (GLsizei count, const GLuint* queries))                                    \
    X(glQueryCounter, void, (GLuint query, GLenum target))                                              \
    X(glGetQueryObjectiv, void, (GLuint query, GLenum name, GLint * value))                             \
    X(glGetQueryObjectui64v, void, (GLuint query, GLenum name, GLuint64 * value))

#define ZP_GL_DECLARE_ENTRY(name, result, parameters) result(ZP_GLAPI* name) parameters = nullptr;

struct GLFunctions {
    ZP_GL_LINKED_FUNCTIONS(ZP_GL_DECLARE_ENTRY)
    ZP_GL_FETCHED_FUNCTIONS(ZP_GL_DECLARE_ENTRY)
    ZP_GL_OPTIONAL_FUNCTIONS(ZP_GL_DECLARE_ENTRY)
};

#undef ZP_GL_DECLARE_ENTRY

// The process-wide table; the 1.1 entries are set before main runs.
extern GLFunctions gl;

// Looks a GL function up by name in the current context; null when absent.
using GLProcLoader = void* (*)(const char* name);
// Shows a modal error box with the given text.
using GLErrorBoxFunction = void (*)(const char* text);

// Fetches every later entry point in order. The first missing name shows
// "Cannot import OpenGL function <name>" and ends the fetch with false; the
// entries fetched before it keep their values. Needs a current context.
bool LoadGLEntryPoints();
bool LoadGLEntryPoints(GLProcLoader loader, GLErrorBoxFunction showBox);

// Fetches the optional entry points, showing nothing; true when every one
// of them is there. Needs a current context.
bool LoadOptionalGLEntryPoints();
bool LoadOptionalGLEntryPoints(GLProcLoader loader);
// The timer queries of the optional entries are all there.
bool HasGLTimerQueries();

// How many entry points LoadGLEntryPoints fetches.
constexpr int kFetchedGLFunctionCount = 54;
