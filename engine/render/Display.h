#pragma once

#include "engine/render/DisplayAdapter.h"
#include "engine/render/DisplayMode.h"
#include "engine/render/GLFunctions.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

class Camera;
class IndexBuffer;
class OpenGLWindow;
class RenderTarget;
class ResourceManager;
class Shader;
class ShaderProgram;
class Texture;
class VertexBuffer;
struct Image;
struct VertexLayout;

// Clear flags.
constexpr uint32_t CLEAR_COLOR = 0x1;
constexpr uint32_t CLEAR_DEPTH = 0x2;
constexpr uint32_t CLEAR_STENCIL = 0x4;

// Blend factors.
constexpr int32_t BLEND_ZERO = 0;
constexpr int32_t BLEND_ONE = 1;
constexpr int32_t BLEND_SRC_ALPHA = 2;

// Primitive types.
constexpr int32_t PRIMITIVE_TRIANGLES = 0;
constexpr int32_t PRIMITIVE_TRIANGLE_STRIP = 1;
constexpr int32_t PRIMITIVE_QUADS = 2;

constexpr int kMaxVertexAttributes = 128;

// The one object through which the engine reaches the screen: lists adapters
// and modes, opens the window with its GL context, and is the render device
// with a cache of the GL state it sets, so that redundant calls are skipped.
class Display {
public:
    Display();
    Display(const Display&) = delete;
    Display& operator=(const Display&) = delete;
    virtual ~Display();

    virtual bool EnumerateAdapters(std::vector<DisplayAdapter>& out);
    virtual bool EnumerateModes(const DisplayAdapter& adapter, std::vector<DisplayMode>& out);
    // The adapter is not used: the window opens on the primary screen.
    virtual bool Open(const DisplayAdapter& adapter, const DisplayMode& mode, bool vsync);
    virtual void Close();
    virtual const DisplayMode* GetCurrentMode() const { return &currentMode; }
    virtual void* GetWindowHandle() const;
    virtual bool ProcessMessages();
    virtual bool BeginFrame();
    virtual void EndFrame() {}
    virtual void Present();
    virtual void SetTitle(const std::string& caption);

    // Factories: null when the object's create step fails.
    virtual Texture* CreateTexture(ResourceManager* manager, const std::string& name, int32_t width, int32_t height,
                                   int32_t format, int32_t minFilter, int32_t magFilter, int32_t wrapS, int32_t wrapT);
    virtual Texture* CreateTextureFromImage(ResourceManager* manager, const std::string& name, const Image& image,
                                            int32_t minFilter, int32_t magFilter, int32_t wrapS, int32_t wrapT);
    virtual Shader* CreateShader(ResourceManager* manager, const std::string& name, const std::string& source,
                                 int32_t type);
    virtual ShaderProgram* CreateShaderProgram(ResourceManager* manager, const std::string& name);
    virtual VertexBuffer* CreateVertexBuffer(uint32_t count, uint32_t elementSize, bool dynamic, const void* data);
    virtual IndexBuffer* CreateIndexBuffer(uint32_t count, uint32_t elementSize, bool dynamic, const void* data);

    // Render targets: named ones belong to the display, unnamed ones to the caller.
    virtual RenderTarget* GetRenderTarget(const std::string& name, uint32_t width, uint32_t height);
    virtual RenderTarget* GetRenderTarget(const std::string& name);
    virtual RenderTarget* CreateRenderTarget(uint32_t width, uint32_t height);
    virtual RenderTarget* CreateRenderTarget();
    virtual RenderTarget* FindRenderTarget(const std::string& name);
    virtual void DestroyRenderTarget(const std::string& name);
    virtual void DestroyAllRenderTargets();

    virtual void SetClearColor(const float* rgba);
    virtual void SetClearDepth(float depth);
    virtual void SetClearStencil(int32_t stencil);
    virtual void Clear(uint32_t flags);
    virtual void SetDepthTest(bool enabled);
    virtual void SetCulling(bool enabled);
    virtual void SetBlending(bool enabled);
    virtual void SetBlendFunc(int32_t source, int32_t destination);
    virtual Camera* GetCamera() { return currentCamera; }
    virtual void SetCamera(Camera* camera) { currentCamera = camera; }
    virtual void SetTexture(uint32_t unit, Texture* texture);
    virtual void SetVertexAttribute(uint32_t index, VertexBuffer* buffer, uint32_t components, int32_t type,
                                    bool normalized, uint32_t stride, uint32_t offset);
    virtual void SetVertexAttributeDivisor(uint32_t index, uint32_t divisor);
    virtual void EnableVertexAttribute(uint32_t index);
    virtual void DisableVertexAttribute(uint32_t index);
    virtual void DrawMesh(VertexBuffer* vertices, const VertexLayout& layout, IndexBuffer* indices, int32_t primitive,
                          uint32_t count);
    virtual void DrawIndexed(IndexBuffer* indices, int32_t primitive, uint32_t count);
    virtual void DrawIndexedInstanced(IndexBuffer* indices, int32_t primitive, uint32_t count, uint32_t instances);
    virtual void UnbindShaderProgram();
    virtual void UnbindVertexBuffer();
    virtual void UnbindIndexBuffer();
    // Always rebinds, even the target already current; returns the one before.
    virtual RenderTarget* SetRenderTarget(RenderTarget* target);
    // Returns the next free attribute index.
    virtual uint32_t BindVertexLayout(VertexBuffer* buffer, const VertexLayout& layout, uint32_t first,
                                      uint32_t divisor);
    virtual void DisableVertexAttributesFrom(uint32_t first);
    virtual uint32_t DisableVertexLayout(const VertexLayout& layout, uint32_t first);
    virtual uint32_t* GetFrameCounter() { return &frameCounter; }

    // Bindings through the cache, for the GPU objects.
    void BindProgram(GLuint program);
    void BindVertexBufferName(GLuint buffer);
    void BindIndexBufferName(GLuint buffer);
    // A deleted GL name must not stay in the cache: the driver may reuse it.
    void ForgetProgram(GLuint program);
    void ForgetBuffer(GLuint buffer);

    RenderTarget* GetCurrentTarget() const { return currentTarget; }
    GLuint BoundProgram() const { return currentProgram; }
    // Open completed: the context is current and every entry point is there.
    bool IsOpen() const;

private:
    void ResetStateCache();
    void LogOpenedDisplay(const DisplayMode& mode);
    void SetCapability(bool& cached, bool enabled, GLenum capability);
    void DrawElements(IndexBuffer* indices, int32_t primitive, uint32_t count, uint32_t instances, bool instanced);

    std::unique_ptr<OpenGLWindow> window;
    DisplayMode currentMode;

    bool depthTestEnabled = false;
    bool cullingEnabled = false;
    bool blendingEnabled = false;
    int32_t blendSource = BLEND_ONE;
    int32_t blendDestination = BLEND_ZERO;
    GLuint currentProgram = 0;
    GLuint currentVertexBuffer = 0;
    GLuint currentIndexBuffer = 0;
    bool attributeEnabled[kMaxVertexAttributes] = {};
    uint32_t attributeDivisor[kMaxVertexAttributes] = {};
    std::map<std::string, std::unique_ptr<RenderTarget>> namedTargets;
    RenderTarget* currentTarget = nullptr;  // null: the window's framebuffer
    Camera* currentCamera = nullptr;        // not owned

    uint32_t frameCounter = 0;
};
