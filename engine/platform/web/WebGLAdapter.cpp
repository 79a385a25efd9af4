// The desktop GL the engine speaks, made up from WebGL 2 in this one place:
// quads drawn as indexed triangles, GL_CLAMP as clamp-to-edge, the fixed
// texturing switch ignored, sized depth formats, buffer mapping through a
// copy, shader source made GLSL ES, and texture uploads in formats WebGL
// takes. Entry points with no WebGL equivalent stay out of the table.
#include "engine/platform/GLLibrary.h"

#include <GLES3/gl3.h>
#include <SDL.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "engine/platform/web/GlslEsSource.h"
#include "engine/platform/web/QuadIndices.h"
#include "engine/platform/web/TexturePixels.h"
#include "engine/render/GLFunctions.h"

namespace {

constexpr GLenum kQuads = 0x0007;
constexpr GLint kClamp = 0x2900;
constexpr GLenum kBgr = 0x80E0;
constexpr GLenum kBgra = 0x80E1;

struct ElementShadow {
    std::vector<uint8_t> bytes;
    uint32_t generation = 0;
};

struct TriangleIndices {
    GLuint buffer = 0;
    uint32_t generation = 0;
    GLsizei count = 0;
    GLenum type = 0;
    uintptr_t offset = 0;
};

struct MappedBuffer {
    std::vector<uint8_t> bytes;
    bool mapped = false;
};

// What WebGL does not tell, kept as the calls pass.
struct AdapterState {
    GLuint boundArray = 0;
    GLuint boundElements = 0;
    GLint unpackAlignment = 4;
    std::map<GLuint, GLsizeiptr> sizes;
    std::map<GLuint, ElementShadow> elements;  // index data, to turn quads into triangles
    std::map<GLuint, TriangleIndices> triangles;
    std::map<GLenum, MappedBuffer> mapped;
};

AdapterState state;

GLuint BoundTo(GLenum target) { return target == GL_ELEMENT_ARRAY_BUFFER ? state.boundElements : state.boundArray; }

size_t IndexSize(GLenum type) {
    return type == GL_UNSIGNED_BYTE ? 1 : type == GL_UNSIGNED_SHORT ? 2 : type == GL_UNSIGNED_INT ? 4 : 0;
}

void WebBindBuffer(GLenum target, GLuint buffer) {
    if (target == GL_ELEMENT_ARRAY_BUFFER)
        state.boundElements = buffer;
    else if (target == GL_ARRAY_BUFFER)
        state.boundArray = buffer;
    glBindBuffer(target, buffer);
}

void WebDeleteBuffers(GLsizei count, const GLuint* buffers) {
    for (GLsizei i = 0; i < count; ++i) {
        auto converted = state.triangles.find(buffers[i]);
        if (converted != state.triangles.end()) {
            glDeleteBuffers(1, &converted->second.buffer);
            state.triangles.erase(converted);
        }
        state.elements.erase(buffers[i]);
        state.sizes.erase(buffers[i]);
        if (state.boundElements == buffers[i])
            state.boundElements = 0;
        if (state.boundArray == buffers[i])
            state.boundArray = 0;
    }
    glDeleteBuffers(count, buffers);
}

void ShadowWrite(GLenum target, GLintptr offset, GLsizeiptr size, const void* data) {
    if (target != GL_ELEMENT_ARRAY_BUFFER || state.boundElements == 0)
        return;
    ElementShadow& shadow = state.elements[state.boundElements];
    const size_t end = static_cast<size_t>(offset) + static_cast<size_t>(size);
    if (shadow.bytes.size() < end)
        shadow.bytes.resize(end);
    if (data)
        std::memcpy(shadow.bytes.data() + offset, data, static_cast<size_t>(size));
    ++shadow.generation;
}

void WebBufferData(GLenum target, GLsizeiptr size, const void* data, GLenum usage) {
    state.sizes[BoundTo(target)] = size;
    if (target == GL_ELEMENT_ARRAY_BUFFER && state.boundElements != 0)
        state.elements[state.boundElements].bytes.assign(static_cast<size_t>(size), 0);
    ShadowWrite(target, 0, size, data);
    glBufferData(target, size, data, usage);
}

void WebBufferSubData(GLenum target, GLintptr offset, GLsizeiptr size, const void* data) {
    ShadowWrite(target, offset, size, data);
    glBufferSubData(target, offset, size, data);
}

// Mapping hands out a copy, written to the buffer when it is unmapped.
void* WebMapBuffer(GLenum target, GLenum /*access*/) {
    MappedBuffer& copy = state.mapped[target];
    auto size = state.sizes.find(BoundTo(target));
    if (copy.mapped || size == state.sizes.end() || size->second <= 0)
        return nullptr;
    copy.bytes.assign(static_cast<size_t>(size->second), 0);
    auto shadow = state.elements.find(BoundTo(target));
    if (target == GL_ELEMENT_ARRAY_BUFFER && shadow != state.elements.end())
        copy.bytes = shadow->second.bytes;
    copy.mapped = true;
    return copy.bytes.data();
}

GLboolean WebUnmapBuffer(GLenum target) {
    MappedBuffer& copy = state.mapped[target];
    if (!copy.mapped)
        return GL_FALSE;
    copy.mapped = false;
    WebBufferSubData(target, 0, static_cast<GLsizeiptr>(copy.bytes.size()), copy.bytes.data());
    return GL_TRUE;
}

// The triangle indices for the quads of the bound index buffer, made anew
// when the indices or the draw's range change; 0 when there are none.
GLuint TrianglesFor(GLsizei count, GLenum type, const void* offset) {
    auto shadow = state.elements.find(state.boundElements);
    const size_t size = IndexSize(type);
    const uintptr_t first = reinterpret_cast<uintptr_t>(offset);
    if (shadow == state.elements.end() || size == 0 || count < 0 ||
        first + static_cast<size_t>(count) * size > shadow->second.bytes.size())
        return 0;
    TriangleIndices& converted = state.triangles[state.boundElements];
    if (converted.buffer != 0 && converted.generation == shadow->second.generation && converted.count == count &&
        converted.type == type && converted.offset == first)
        return converted.buffer;
    if (converted.buffer == 0)
        glGenBuffers(1, &converted.buffer);
    std::vector<uint8_t> triangles = QuadsToTriangles(shadow->second.bytes.data() + first, static_cast<size_t>(count), size);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, converted.buffer);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(triangles.size()), triangles.data(), GL_STATIC_DRAW);
    converted = {converted.buffer, shadow->second.generation, count, type, first};
    return converted.buffer;
}

template <typename Draw>
void DrawQuadsAsTriangles(GLsizei count, GLenum type, const void* offset, Draw draw) {
    const GLuint source = state.boundElements;
    const GLuint triangles = TrianglesFor(count, type, offset);
    if (triangles == 0)
        return;
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, triangles);
    draw(count / 4 * 6);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, source);
}

void WebDrawElements(GLenum mode, GLsizei count, GLenum type, const void* indices) {
    if (mode != kQuads)
        return glDrawElements(mode, count, type, indices);
    DrawQuadsAsTriangles(count, type, indices,
                         [type](GLsizei triangles) { glDrawElements(GL_TRIANGLES, triangles, type, nullptr); });
}

void WebDrawElementsInstanced(GLenum mode, GLsizei count, GLenum type, const void* indices, GLsizei instances) {
    if (mode != kQuads)
        return glDrawElementsInstanced(mode, count, type, indices, instances);
    DrawQuadsAsTriangles(count, type, indices, [type, instances](GLsizei triangles) {
        glDrawElementsInstanced(GL_TRIANGLES, triangles, type, nullptr, instances);
    });
}

void WebEnable(GLenum capability) {
    if (capability != GL_TEXTURE_2D)
        glEnable(capability);
}

void WebDisable(GLenum capability) {
    if (capability != GL_TEXTURE_2D)
        glDisable(capability);
}

void WebTexParameteri(GLenum target, GLenum name, GLint value) {
    glTexParameteri(target, name, value == kClamp ? GL_CLAMP_TO_EDGE : value);
}

void WebPixelStorei(GLenum name, GLint value) {
    if (name == GL_UNPACK_ALIGNMENT)
        state.unpackAlignment = value;
    glPixelStorei(name, value);
}

void WebTexImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height, GLint border,
                   GLenum format, GLenum type, const void* pixels) {
    const bool desktopOnly = format == kBgr || format == kBgra || static_cast<GLenum>(internalFormat) != format;
    if (!desktopOnly || type != GL_UNSIGNED_BYTE)
        return glTexImage2D(target, level, internalFormat, width, height, border, format, type, pixels);
    WebTextureUpload upload = ToWebTextureUpload(static_cast<uint32_t>(internalFormat), format, width, height,
                                                 state.unpackAlignment, pixels);
    if (!upload.valid)
        return glTexImage2D(target, level, internalFormat, width, height, border, format, type, pixels);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(target, level, internalFormat, width, height, border, upload.format, type,
                 upload.pixels.empty() ? nullptr : upload.pixels.data());
    glPixelStorei(GL_UNPACK_ALIGNMENT, state.unpackAlignment);
}

void WebRenderbufferStorage(GLenum target, GLenum format, GLsizei width, GLsizei height) {
    glRenderbufferStorage(target, format == GL_DEPTH_COMPONENT ? GL_DEPTH_COMPONENT24 : format, width, height);
}

void WebFramebufferTexture(GLenum target, GLenum attachment, GLuint texture, GLint level) {
    glFramebufferTexture2D(target, attachment, GL_TEXTURE_2D, texture, level);
}

void WebShaderSource(GLuint shader, GLsizei count, const GLchar* const* text, const GLint* length) {
    std::string source;
    for (GLsizei i = 0; i < count; ++i)
        source += length && length[i] >= 0 ? std::string(text[i], static_cast<size_t>(length[i])) : text[i];
    const std::string es = ToGlslEs(source);
    const GLchar* esText = es.c_str();
    glShaderSource(shader, 1, &esText, nullptr);
}

void WebClearDepth(GLclampd depth) { glClearDepthf(static_cast<GLfloat>(depth)); }

// The browser presents once a frame whatever is asked.
int WebSwapInterval(int /*interval*/) { return 1; }

struct NamedEntry {
    const char* name;
    void* address;
};

#define ZP_WEB_SAME(name) {#name, reinterpret_cast<void*>(&::name)}
#define ZP_WEB_MADE(name, function) {#name, reinterpret_cast<void*>(&function)}

const NamedEntry kFetched[] = {
    ZP_WEB_SAME(glGenBuffers), ZP_WEB_MADE(glDeleteBuffers, WebDeleteBuffers),
    ZP_WEB_MADE(glBindBuffer, WebBindBuffer), ZP_WEB_MADE(glMapBuffer, WebMapBuffer),
    ZP_WEB_MADE(glUnmapBuffer, WebUnmapBuffer), ZP_WEB_MADE(glBufferData, WebBufferData),
    ZP_WEB_MADE(glBufferSubData, WebBufferSubData), ZP_WEB_MADE(wglSwapIntervalEXT, WebSwapInterval),
    ZP_WEB_SAME(glCreateShader), ZP_WEB_SAME(glDeleteShader), ZP_WEB_MADE(glShaderSource, WebShaderSource),
    ZP_WEB_SAME(glCompileShader), ZP_WEB_SAME(glAttachShader), ZP_WEB_SAME(glGetShaderiv),
    ZP_WEB_SAME(glGetShaderInfoLog), ZP_WEB_SAME(glCreateProgram), ZP_WEB_SAME(glDeleteProgram),
    ZP_WEB_SAME(glLinkProgram), ZP_WEB_SAME(glUseProgram), ZP_WEB_SAME(glGetProgramiv),
    ZP_WEB_SAME(glGetProgramInfoLog), ZP_WEB_SAME(glGetUniformLocation), ZP_WEB_SAME(glUniform1i),
    ZP_WEB_SAME(glUniform2i), ZP_WEB_SAME(glUniform3i), ZP_WEB_SAME(glUniform4i), ZP_WEB_SAME(glUniform1f),
    ZP_WEB_SAME(glUniform2f), ZP_WEB_SAME(glUniform3f), ZP_WEB_SAME(glUniform4f), ZP_WEB_SAME(glUniform1fv),
    ZP_WEB_SAME(glUniform2fv), ZP_WEB_SAME(glUniform3fv), ZP_WEB_SAME(glUniform4fv),
    ZP_WEB_SAME(glUniformMatrix4fv), ZP_WEB_SAME(glActiveTexture), ZP_WEB_SAME(glBindSampler),
    ZP_WEB_SAME(glVertexAttribPointer), ZP_WEB_SAME(glEnableVertexAttribArray),
    ZP_WEB_SAME(glDisableVertexAttribArray), ZP_WEB_SAME(glVertexAttribDivisor),
    ZP_WEB_MADE(glDrawElementsInstanced, WebDrawElementsInstanced), ZP_WEB_SAME(glGenFramebuffers),
    ZP_WEB_SAME(glDeleteFramebuffers), ZP_WEB_SAME(glBindFramebuffer),
    ZP_WEB_MADE(glFramebufferTexture, WebFramebufferTexture), ZP_WEB_SAME(glCheckFramebufferStatus),
    ZP_WEB_SAME(glGenRenderbuffers), ZP_WEB_SAME(glDeleteRenderbuffers), ZP_WEB_SAME(glBindRenderbuffer),
    ZP_WEB_MADE(glRenderbufferStorage, WebRenderbufferStorage), ZP_WEB_SAME(glFramebufferRenderbuffer),
    ZP_WEB_SAME(glDrawBuffers),
};

#undef ZP_WEB_SAME
#undef ZP_WEB_MADE

}

namespace platform {

void FillLinkedGLFunctions(GLFunctions& table) {
    table.glViewport = &::glViewport;
    table.glGetString = &::glGetString;
    table.glClearColor = &::glClearColor;
    table.glClearDepth = &WebClearDepth;
    table.glClearStencil = &::glClearStencil;
    table.glClear = &::glClear;
    table.glEnable = &WebEnable;
    table.glDisable = &WebDisable;
    table.glGetTexLevelParameteriv = nullptr;  // WebGL 2 cannot tell a texture's size
    table.glTexImage2D = &WebTexImage2D;
    table.glTexParameteri = &WebTexParameteri;
    table.glBindTexture = &::glBindTexture;
    table.glPixelStorei = &WebPixelStorei;
    table.glReadPixels = &::glReadPixels;
    table.glFinish = &::glFinish;
    table.glGenTextures = &::glGenTextures;
    table.glDeleteTextures = &::glDeleteTextures;
    table.glGetError = &::glGetError;
    table.glDrawElements = &WebDrawElements;
    table.glBlendFunc = &::glBlendFunc;
}

void* GetGLProcAddress(const char* name) {
    for (const NamedEntry& entry : kFetched)
        if (std::strcmp(entry.name, name) == 0)
            return entry.address;
    return nullptr;
}

bool LacksGLEntryPoint(const char* name) { return std::strcmp(name, "glDrawElementsInstancedBaseVertex") == 0; }

}
