#include "engine/render/BufferStorage.h"

#include "engine/render/Display.h"
#include "engine/render/GLConstants.h"
#include "engine/render/GpuMemory.h"

namespace {

constexpr int32_t kMapWriteOnly = 1;

GLenum GLAccess(int32_t access) {
    switch (access) {
    case 0: return GL_READ_ONLY;
    case kMapWriteOnly: return GL_WRITE_ONLY;
    default: return GL_READ_WRITE;
    }
}

}

GLenum BufferStorage::Usage() const { return dynamic ? GL_DYNAMIC_DRAW : GL_STATIC_DRAW; }

void BufferStorage::Bind() { (display->*bind)(glName); }

bool BufferStorage::Create(uint32_t newCount, uint32_t newElementSize, bool newDynamic, const void* data) {
    if (glName != 0)
        return false;
    gl.glGenBuffers(1, &glName);
    if (glName == 0)
        return false;
    count = newCount;
    elementSize = newElementSize;
    dynamic = newDynamic;
    Bind();
    gl.glBufferData(target, ByteSize(), data, Usage());
    GpuMemory::Add(static_cast<uint64_t>(ByteSize()));
    return true;
}

void BufferStorage::Release() {
    if (glName != 0) {
        // Deleting a bound buffer unbinds it: the cache must not keep a name
        // the driver may hand out again.
        display->ForgetBuffer(glName);
        gl.glDeleteBuffers(1, &glName);
        GpuMemory::Remove(static_cast<uint64_t>(ByteSize()));
    }
    glName = 0;
    count = 0;
    elementSize = 0;
    dynamic = false;
}

void BufferStorage::Update(const void* data) {
    Bind();
    gl.glBufferData(target, ByteSize(), data, Usage());
}

void BufferStorage::UpdateRange(const void* data, uint32_t first, uint32_t rangeCount) {
    Bind();
    gl.glBufferData(target, ByteSize(), nullptr, Usage());
    gl.glBufferSubData(target, static_cast<GLintptr>(first) * elementSize,
                       static_cast<GLsizeiptr>(rangeCount) * elementSize, data);
}

void* BufferStorage::Map(int32_t access, bool orphanForWrite) {
    Bind();
    if (orphanForWrite && access == kMapWriteOnly)
        gl.glBufferData(target, ByteSize(), nullptr, Usage());
    return gl.glMapBuffer(target, GLAccess(access));
}

bool BufferStorage::Unmap() {
    Bind();
    return gl.glUnmapBuffer(target) != 0;
}
