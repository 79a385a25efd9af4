#include "engine/render/IndexBuffer.h"

#include "engine/render/Display.h"
#include "engine/render/GLConstants.h"

IndexBuffer::IndexBuffer(Display* display) : storage(display, GL_ELEMENT_ARRAY_BUFFER, &Display::BindIndexBufferName) {}

IndexBuffer::~IndexBuffer() { storage.Release(); }

bool IndexBuffer::Create(uint32_t count, uint32_t elementSize, bool dynamic, const void* data) {
    return storage.Create(count, elementSize, dynamic, data);
}

void IndexBuffer::Release() { storage.Release(); }

void IndexBuffer::Update(const void* data) { storage.Update(data); }

void IndexBuffer::UpdateRange(const void* data, uint32_t first, uint32_t count) {
    storage.UpdateRange(data, first, count);
}

// Index data is never orphaned on mapping.
void* IndexBuffer::Map(int32_t access) { return storage.Map(access, false); }

bool IndexBuffer::Unmap() { return storage.Unmap(); }
