#pragma once

#include "engine/files/PixelFormat.h"
#include "engine/render/GLFunctions.h"
#include "engine/render/Resource.h"

struct Image;
class Display;

// Filter 1 is linear, anything else nearest; wrap 0 clamps, anything else repeats.
constexpr int32_t kFilterNearest = 0;
constexpr int32_t kFilterLinear = 1;
constexpr int32_t kWrapClamp = 0;
constexpr int32_t kWrapRepeat = 1;

// A 2D texture, level 0 only, sized as the driver reports after upload.
class Texture : public Resource {
public:
    Texture(ResourceManager* manager, const std::string& name, Display* display)
        : Resource(manager, name), display(display) {}
    ~Texture() override;

    void Release() override;
    bool IsValid() const override { return glName != 0; }
    uint32_t GetMemorySize() const override { return memorySize; }

    // An empty texture (no pixels uploaded).
    virtual bool Create(int32_t width, int32_t height, PixelFormat format, int32_t minFilter, int32_t magFilter,
                        int32_t wrapS, int32_t wrapT);
    virtual bool CreateFromImage(const Image& image, int32_t minFilter, int32_t magFilter, int32_t wrapS,
                                 int32_t wrapT);
    // New pixels, size and format; filters and wrapping stay.
    virtual bool Update(const Image& image);
    virtual void Bind();

    int32_t GetWidth() const { return width; }
    int32_t GetHeight() const { return height; }
    PixelFormat GetFormat() const { return format; }
    GLuint GetGLName() const { return glName; }
    Display* GetDisplay() const { return display; }

private:
    bool CreateWithPixels(int32_t width, int32_t height, PixelFormat format, const void* pixels, int32_t minFilter,
                          int32_t magFilter, int32_t wrapS, int32_t wrapT);
    void Upload(int32_t width, int32_t height, PixelFormat format, const void* pixels);

    int32_t width = 0;
    int32_t height = 0;
    PixelFormat format = R8G8B8;
    Display* display;  // not owned
    GLuint glName = 0;
    uint32_t memorySize = 0;
};
