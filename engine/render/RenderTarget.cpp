#include "engine/render/RenderTarget.h"

#include "engine/core/Engine.h"
#include "engine/render/GLConstants.h"
#include "engine/render/GpuMemory.h"
#include "engine/render/Texture.h"
#include "engine/render/TextureManager.h"

bool RenderTarget::Create(uint32_t newWidth, uint32_t newHeight) {
    if (framebuffer != 0)
        return false;
    gl.glGenFramebuffers(1, &framebuffer);
    if (framebuffer == 0)
        return false;
    gl.glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);

    TextureManager* textures = GetEngine() ? GetEngine()->GetTextureManager() : nullptr;
    if (!textures || !textures->CreateEmpty(textures->MakeUniqueName(), newWidth, newHeight, colorTexture))
        return false;
    if (!AttachDepthBuffer(newWidth, newHeight))
        return false;
    gl.glFramebufferTexture(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, colorTexture.As<Texture>()->GetGLName(), 0);
    const GLenum drawBuffer = GL_COLOR_ATTACHMENT0;
    gl.glDrawBuffers(1, &drawBuffer);
    if (gl.glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE)
        return false;

    gl.glViewport(0, 0, static_cast<GLsizei>(newWidth), static_cast<GLsizei>(newHeight));
    height = newHeight;
    width = newWidth;
    return true;
}

bool RenderTarget::AttachDepthBuffer(uint32_t newWidth, uint32_t newHeight) {
    gl.glGenRenderbuffers(1, &depthBuffer);
    if (depthBuffer == 0)
        return false;
    gl.glBindRenderbuffer(GL_RENDERBUFFER, depthBuffer);
    gl.glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT, static_cast<GLsizei>(newWidth),
                             static_cast<GLsizei>(newHeight));
    depthBytes = static_cast<uint64_t>(newWidth) * newHeight * kDepthBytesPerPixel;
    GpuMemory::Add(depthBytes);
    gl.glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depthBuffer);
    return true;
}

void RenderTarget::Release() {
    colorTexture.Reset();
    if (depthBuffer != 0)
        gl.glDeleteRenderbuffers(1, &depthBuffer);
    if (framebuffer != 0)
        gl.glDeleteFramebuffers(1, &framebuffer);
    GpuMemory::Remove(depthBytes);
    depthBytes = 0;
    depthBuffer = 0;
    framebuffer = 0;
}
