#include "engine/render/VertexBuffer.h"

#include "engine/render/Display.h"
#include "engine/render/GLConstants.h"

VertexBuffer::VertexBuffer(Display* display) : storage(display, GL_ARRAY_BUFFER, &Display::BindVertexBufferName) {}

VertexBuffer::~VertexBuffer() { storage.Release(); }

bool VertexBuffer::Create(uint32_t count, uint32_t elementSize, bool dynamic, const void* data) {
    return storage.Create(count, elementSize, dynamic, data);
}

void VertexBuffer::Release() { storage.Release(); }

void VertexBuffer::Update(const void* data) { storage.Update(data); }

void VertexBuffer::UpdateRange(const void* data, uint32_t first, uint32_t count) {
    storage.UpdateRange(data, first, count);
}

void* VertexBuffer::Map(int32_t access) { return storage.Map(access, true); }

bool VertexBuffer::Unmap() { return storage.Unmap(); }
