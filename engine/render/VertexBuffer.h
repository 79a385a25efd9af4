#pragma once

#include "engine/render/BufferStorage.h"

// A GL buffer of per-vertex (or per-instance) data, bound to the array target.
class VertexBuffer {
public:
    explicit VertexBuffer(Display* display);
    VertexBuffer(const VertexBuffer&) = delete;
    VertexBuffer& operator=(const VertexBuffer&) = delete;
    virtual ~VertexBuffer();

    virtual bool Create(uint32_t count, uint32_t elementSize, bool dynamic, const void* data);
    virtual void Release();
    virtual void Update(const void* data);
    virtual void UpdateRange(const void* data, uint32_t first, uint32_t count);
    // Access 0 reads, 1 writes, anything else both.
    virtual void* Map(int32_t access);
    virtual bool Unmap();

    GLuint GetGLName() const { return storage.GetGLName(); }
    uint32_t GetCount() const { return storage.GetCount(); }
    uint32_t GetElementSize() const { return storage.GetElementSize(); }
    bool IsDynamic() const { return storage.IsDynamic(); }

private:
    BufferStorage storage;
};
