#pragma once

#include "engine/render/GLFunctions.h"

#include <cstdint>

class Display;

// The GL buffer behind a vertex or an index buffer: one target, bound
// through the device's cache, with the usage hint it was made with.
class BufferStorage {
public:
    using BindFunction = void (Display::*)(GLuint);

    BufferStorage(Display* display, GLenum target, BindFunction bind) : display(display), target(target), bind(bind) {}

    bool Create(uint32_t count, uint32_t elementSize, bool dynamic, const void* data);
    void Release();
    void Update(const void* data);
    // Orphans the old storage first, so the driver need not wait for draws.
    void UpdateRange(const void* data, uint32_t first, uint32_t count);
    void* Map(int32_t access, bool orphanForWrite);
    bool Unmap();

    void Bind();
    GLuint GetGLName() const { return glName; }
    uint32_t GetCount() const { return count; }
    uint32_t GetElementSize() const { return elementSize; }
    bool IsDynamic() const { return dynamic; }

private:
    GLenum Usage() const;
    GLsizeiptr ByteSize() const { return static_cast<GLsizeiptr>(count) * elementSize; }

    Display* display;  // not owned
    GLenum target;
    BindFunction bind;
    uint32_t count = 0;
    uint32_t elementSize = 0;
    GLuint glName = 0;
    bool dynamic = false;
};
