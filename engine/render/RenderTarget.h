#pragma once

#include "engine/render/GLFunctions.h"
#include "engine/render/ResourceHandle.h"

#include <cstdint>

class Display;

// A framebuffer with a colour texture (from the texture manager, named
// uniquely) and a depth renderbuffer.
class RenderTarget {
public:
    explicit RenderTarget(Display* display) : display(display) {}
    RenderTarget(const RenderTarget&) = delete;
    RenderTarget& operator=(const RenderTarget&) = delete;
    // Drops only the colour texture; whoever destroys a target calls Release first.
    virtual ~RenderTarget() = default;

    // Leaves the new framebuffer bound and the viewport at its size.
    virtual bool Create(uint32_t width, uint32_t height);
    virtual void Release();
    virtual ResourceReference* GetColorTexture() { return &colorTexture; }

    uint32_t GetWidth() const { return width; }
    uint32_t GetHeight() const { return height; }
    GLuint GetFramebuffer() const { return framebuffer; }
    Display* GetDisplay() const { return display; }

private:
    bool AttachDepthBuffer(uint32_t width, uint32_t height);

    uint32_t width = 0;
    uint32_t height = 0;
    Display* display;  // not owned
    GLuint framebuffer = 0;
    GLuint depthBuffer = 0;
    uint64_t depthBytes = 0;  // counted in GpuMemory
    static constexpr uint64_t kDepthBytesPerPixel = 4;
    ResourceReference colorTexture;
};
