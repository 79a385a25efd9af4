// The render-device half of Display: state cache, attributes, drawing,
// render targets and the factories of GPU objects.
#include "engine/render/Display.h"

#include "engine/render/GLConstants.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/RenderTarget.h"
#include "engine/render/Shader.h"
#include "engine/render/ShaderProgram.h"
#include "engine/render/Texture.h"
#include "engine/render/VertexBuffer.h"
#include "engine/render/VertexLayout.h"

#include <cstdint>

namespace {

GLenum GLBlendFactor(int32_t factor) {
    switch (factor) {
    case BLEND_ZERO: return GL_ZERO;
    case BLEND_ONE: return GL_ONE;
    case BLEND_SRC_ALPHA: return GL_SRC_ALPHA;
    default: return GL_ZERO;
    }
}

GLenum GLPrimitive(int32_t primitive) {
    switch (primitive) {
    case PRIMITIVE_TRIANGLE_STRIP: return GL_TRIANGLE_STRIP;
    case PRIMITIVE_QUADS: return GL_QUADS;
    default: return GL_TRIANGLES;
    }
}

// 0 for element sizes that have no index type.
GLenum GLIndexType(uint32_t elementSize) {
    switch (elementSize) {
    case 1: return GL_UNSIGNED_BYTE;
    case 2: return GL_UNSIGNED_SHORT;
    case 4: return GL_UNSIGNED_INT;
    default: return 0;
    }
}

GLenum GLAttributeType(int32_t type) {
    switch (type) {
    case ATTRIBUTE_UNSIGNED_BYTE: return GL_UNSIGNED_BYTE;
    case ATTRIBUTE_FLOAT: return GL_FLOAT;
    default: return 0;
    }
}

bool ValidAttribute(uint32_t index) { return index < static_cast<uint32_t>(kMaxVertexAttributes); }

const void* ByteOffset(uint32_t offset) { return reinterpret_cast<const void*>(static_cast<uintptr_t>(offset)); }

// Deletes a GPU object whose create step failed.
template <typename Object>
Object* KeepIfCreated(Object* object, bool created) {
    if (created)
        return object;
    delete object;
    return nullptr;
}

}

Texture* Display::CreateTexture(ResourceManager* manager, const std::string& name, int32_t width, int32_t height,
                                int32_t format, int32_t minFilter, int32_t magFilter, int32_t wrapS, int32_t wrapT) {
    if (format < 0 || format >= kPixelFormatCount)
        return nullptr;
    Texture* texture = new Texture(manager, name, this);
    return KeepIfCreated(texture, texture->Create(width, height, static_cast<PixelFormat>(format), minFilter,
                                                  magFilter, wrapS, wrapT));
}

Texture* Display::CreateTextureFromImage(ResourceManager* manager, const std::string& name, const Image& image,
                                         int32_t minFilter, int32_t magFilter, int32_t wrapS, int32_t wrapT) {
    Texture* texture = new Texture(manager, name, this);
    return KeepIfCreated(texture, texture->CreateFromImage(image, minFilter, magFilter, wrapS, wrapT));
}

Shader* Display::CreateShader(ResourceManager* manager, const std::string& name, const std::string& source,
                              int32_t type) {
    Shader* shader = new Shader(manager, name, type);
    return KeepIfCreated(shader, shader->Create(source));
}

ShaderProgram* Display::CreateShaderProgram(ResourceManager* manager, const std::string& name) {
    ShaderProgram* program = new ShaderProgram(manager, name, this);
    return KeepIfCreated(program, program->Create());
}

VertexBuffer* Display::CreateVertexBuffer(uint32_t count, uint32_t elementSize, bool dynamic, const void* data) {
    VertexBuffer* buffer = new VertexBuffer(this);
    return KeepIfCreated(buffer, buffer->Create(count, elementSize, dynamic, data));
}

IndexBuffer* Display::CreateIndexBuffer(uint32_t count, uint32_t elementSize, bool dynamic, const void* data) {
    IndexBuffer* buffer = new IndexBuffer(this);
    return KeepIfCreated(buffer, buffer->Create(count, elementSize, dynamic, data));
}

RenderTarget* Display::GetRenderTarget(const std::string& name, uint32_t width, uint32_t height) {
    if (RenderTarget* found = FindRenderTarget(name))
        return found;
    RenderTarget* created = CreateRenderTarget(width, height);
    if (created)
        namedTargets[name].reset(created);
    return created;
}

RenderTarget* Display::GetRenderTarget(const std::string& name) {
    return GetRenderTarget(name, currentMode.width, currentMode.height);
}

RenderTarget* Display::CreateRenderTarget(uint32_t width, uint32_t height) {
    RenderTarget* target = new RenderTarget(this);
    if (!target->Create(width, height)) {
        target->Release();
        delete target;
        // The failed creation may have left its framebuffer bound.
        SetRenderTarget(nullptr);
        return nullptr;
    }
    SetRenderTarget(nullptr);
    return target;
}

RenderTarget* Display::CreateRenderTarget() { return CreateRenderTarget(currentMode.width, currentMode.height); }

RenderTarget* Display::FindRenderTarget(const std::string& name) {
    auto found = namedTargets.find(name);
    return found == namedTargets.end() ? nullptr : found->second.get();
}

void Display::DestroyRenderTarget(const std::string& name) {
    auto found = namedTargets.find(name);
    if (found == namedTargets.end())
        return;
    if (found->second.get() == currentTarget)
        SetRenderTarget(nullptr);
    found->second->Release();
    namedTargets.erase(found);
}

void Display::DestroyAllRenderTargets() {
    // Without a context and targets there is nothing to unbind or free.
    if (namedTargets.empty() && !IsOpen())
        return;
    SetRenderTarget(nullptr);
    for (auto& entry : namedTargets)
        entry.second->Release();
    namedTargets.clear();
}

RenderTarget* Display::SetRenderTarget(RenderTarget* target) {
    RenderTarget* previous = currentTarget;
    currentTarget = target;
    if (target) {
        gl.glBindFramebuffer(GL_FRAMEBUFFER, target->GetFramebuffer());
        gl.glViewport(0, 0, static_cast<GLsizei>(target->GetWidth()), static_cast<GLsizei>(target->GetHeight()));
    } else {
        gl.glBindFramebuffer(GL_FRAMEBUFFER, 0);
        gl.glViewport(0, 0, static_cast<GLsizei>(currentMode.width), static_cast<GLsizei>(currentMode.height));
    }
    return previous;
}

void Display::SetClearColor(const float* rgba) { gl.glClearColor(rgba[0], rgba[1], rgba[2], rgba[3]); }

void Display::SetClearDepth(float depth) { gl.glClearDepth(depth); }

void Display::SetClearStencil(int32_t stencil) { gl.glClearStencil(stencil); }

void Display::Clear(uint32_t flags) {
    GLbitfield mask = 0;
    if (flags & CLEAR_COLOR)
        mask |= GL_COLOR_BUFFER_BIT;
    if (flags & CLEAR_DEPTH)
        mask |= GL_DEPTH_BUFFER_BIT;
    if (flags & CLEAR_STENCIL)
        mask |= GL_STENCIL_BUFFER_BIT;
    gl.glClear(mask);
}

void Display::SetCapability(bool& cached, bool enabled, GLenum capability) {
    if (cached == enabled)
        return;
    if (enabled)
        gl.glEnable(capability);
    else
        gl.glDisable(capability);
    cached = enabled;
}

void Display::SetDepthTest(bool enabled) { SetCapability(depthTestEnabled, enabled, GL_DEPTH_TEST); }

void Display::SetCulling(bool enabled) { SetCapability(cullingEnabled, enabled, GL_CULL_FACE); }

void Display::SetBlending(bool enabled) { SetCapability(blendingEnabled, enabled, GL_BLEND); }

void Display::SetBlendFunc(int32_t source, int32_t destination) {
    if (source == blendSource && destination == blendDestination)
        return;
    gl.glBlendFunc(GLBlendFactor(source), GLBlendFactor(destination));
    blendSource = source;
    blendDestination = destination;
}

void Display::SetTexture(uint32_t unit, Texture* texture) {
    gl.glActiveTexture(GL_TEXTURE0 + unit);
    texture->Bind();
}

void Display::SetVertexAttribute(uint32_t index, VertexBuffer* buffer, uint32_t components, int32_t type,
                                 bool normalized, uint32_t stride, uint32_t offset) {
    GLenum glType = GLAttributeType(type);
    if (glType == 0)
        return;
    BindVertexBufferName(buffer->GetGLName());
    gl.glVertexAttribPointer(index, static_cast<GLint>(components), glType, normalized ? GL_TRUE : GL_FALSE,
                             static_cast<GLsizei>(stride), ByteOffset(offset));
}

void Display::SetVertexAttributeDivisor(uint32_t index, uint32_t divisor) {
    if (!ValidAttribute(index) || attributeDivisor[index] == divisor)
        return;
    gl.glVertexAttribDivisor(index, divisor);
    attributeDivisor[index] = divisor;
}

void Display::EnableVertexAttribute(uint32_t index) {
    if (!ValidAttribute(index) || attributeEnabled[index])
        return;
    gl.glEnableVertexAttribArray(index);
    attributeEnabled[index] = true;
}

void Display::DisableVertexAttribute(uint32_t index) {
    if (!ValidAttribute(index) || !attributeEnabled[index])
        return;
    gl.glDisableVertexAttribArray(index);
    attributeEnabled[index] = false;
}

uint32_t Display::BindVertexLayout(VertexBuffer* buffer, const VertexLayout& layout, uint32_t first,
                                   uint32_t divisor) {
    uint32_t index = first;
    for (const VertexElement& element : layout.elements) {
        if (element.type == ATTRIBUTE_MATRIX4) {
            for (uint32_t column = 0; column < 4; ++column) {
                SetVertexAttribute(index, buffer, 4, ATTRIBUTE_FLOAT, false, layout.stride, element.offset + 16 * column);
                SetVertexAttributeDivisor(index, divisor);
                EnableVertexAttribute(index);
                ++index;
            }
            continue;
        }
        SetVertexAttribute(index, buffer, element.components, element.type, element.normalized, layout.stride,
                           element.offset);
        SetVertexAttributeDivisor(index, divisor);
        EnableVertexAttribute(index);
        ++index;
    }
    return index;
}

void Display::DisableVertexAttributesFrom(uint32_t first) {
    for (uint32_t index = first; index < static_cast<uint32_t>(kMaxVertexAttributes); ++index)
        DisableVertexAttribute(index);
}

uint32_t Display::DisableVertexLayout(const VertexLayout& layout, uint32_t first) {
    uint32_t index = first;
    for (const VertexElement& element : layout.elements) {
        uint32_t used = element.type == ATTRIBUTE_MATRIX4 ? 4 : 1;
        for (uint32_t k = 0; k < used; ++k)
            DisableVertexAttribute(index++);
    }
    return index;
}

void Display::DrawElements(IndexBuffer* indices, int32_t primitive, uint32_t count, uint32_t instances,
                           bool instanced) {
    GLenum indexType = GLIndexType(indices->GetElementSize());
    if (indexType == 0)
        return;
    BindIndexBufferName(indices->GetGLName());
    if (instanced)
        gl.glDrawElementsInstanced(GLPrimitive(primitive), static_cast<GLsizei>(count), indexType, nullptr,
                                   static_cast<GLsizei>(instances));
    else
        gl.glDrawElements(GLPrimitive(primitive), static_cast<GLsizei>(count), indexType, nullptr);
}

void Display::DrawIndexed(IndexBuffer* indices, int32_t primitive, uint32_t count) {
    DrawElements(indices, primitive, count, 0, false);
}

void Display::DrawIndexedInstanced(IndexBuffer* indices, int32_t primitive, uint32_t count, uint32_t instances) {
    DrawElements(indices, primitive, count, instances, true);
}

void Display::DrawMesh(VertexBuffer* vertices, const VertexLayout& layout, IndexBuffer* indices, int32_t primitive,
                       uint32_t count) {
    uint32_t next = BindVertexLayout(vertices, layout, 0, 0);
    DisableVertexAttributesFrom(next);
    DrawIndexed(indices, primitive, count);
}

void Display::UnbindShaderProgram() {
    if (currentProgram == 0)
        return;
    gl.glUseProgram(0);
    currentProgram = 0;
}

void Display::UnbindVertexBuffer() {
    if (currentVertexBuffer == 0)
        return;
    gl.glBindBuffer(GL_ARRAY_BUFFER, 0);
    currentVertexBuffer = 0;
}

void Display::UnbindIndexBuffer() {
    if (currentIndexBuffer == 0)
        return;
    gl.glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    currentIndexBuffer = 0;
}

void Display::BindProgram(GLuint program) {
    if (program == currentProgram)
        return;
    gl.glUseProgram(program);
    currentProgram = program;
}

void Display::BindVertexBufferName(GLuint buffer) {
    if (buffer == currentVertexBuffer)
        return;
    gl.glBindBuffer(GL_ARRAY_BUFFER, buffer);
    currentVertexBuffer = buffer;
}

void Display::BindIndexBufferName(GLuint buffer) {
    if (buffer == currentIndexBuffer)
        return;
    gl.glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, buffer);
    currentIndexBuffer = buffer;
}

void Display::ForgetProgram(GLuint program) {
    if (program == currentProgram)
        currentProgram = 0;
}

void Display::ForgetBuffer(GLuint buffer) {
    if (buffer == currentVertexBuffer)
        currentVertexBuffer = 0;
    if (buffer == currentIndexBuffer)
        currentIndexBuffer = 0;
}
