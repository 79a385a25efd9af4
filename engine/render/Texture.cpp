#include "engine/render/Texture.h"

#include "engine/files/Image.h"
#include "engine/render/GLConstants.h"
#include "engine/render/GpuMemory.h"

namespace {

struct GLPixelLayout {
    GLint internalFormat;
    GLenum format;
    GLenum type;
};

GLPixelLayout LayoutOf(PixelFormat format) {
    static const GLPixelLayout layouts[kPixelFormatCount] = {
        {GL_RGB, GL_RGB, GL_UNSIGNED_BYTE},  {GL_RGB, GL_BGR, GL_UNSIGNED_BYTE},
        {GL_RGB, GL_RGBA, GL_UNSIGNED_BYTE}, {GL_RGB, GL_BGRA, GL_UNSIGNED_BYTE},
        {GL_RGBA, GL_RGBA, GL_UNSIGNED_BYTE}, {GL_RGBA, GL_BGRA, GL_UNSIGNED_BYTE},
    };
    return layouts[format];
}

GLint GLFilter(int32_t filter) { return filter == kFilterLinear ? GL_LINEAR : GL_NEAREST; }

GLint GLWrap(int32_t wrap) { return wrap == kWrapClamp ? GL_CLAMP : GL_REPEAT; }

}

Texture::~Texture() { Release(); }

void Texture::Release() {
    if (glName != 0)
        gl.glDeleteTextures(1, &glName);
    glName = 0;
    GpuMemory::Remove(memorySize);
    memorySize = 0;
}

bool Texture::Create(int32_t width, int32_t height, PixelFormat format, int32_t minFilter, int32_t magFilter,
                     int32_t wrapS, int32_t wrapT) {
    return CreateWithPixels(width, height, format, nullptr, minFilter, magFilter, wrapS, wrapT);
}

bool Texture::CreateFromImage(const Image& image, int32_t minFilter, int32_t magFilter, int32_t wrapS,
                              int32_t wrapT) {
    return CreateWithPixels(image.width, image.height, image.format, image.pixels.get(), minFilter, magFilter, wrapS,
                            wrapT);
}

bool Texture::CreateWithPixels(int32_t newWidth, int32_t newHeight, PixelFormat newFormat, const void* pixels,
                               int32_t minFilter, int32_t magFilter, int32_t wrapS, int32_t wrapT) {
    if (glName != 0)
        return false;
    gl.glGenTextures(1, &glName);
    if (glName == 0)
        return false;
    Bind();
    gl.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GLWrap(wrapS));
    gl.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GLWrap(wrapT));
    gl.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GLFilter(minFilter));
    gl.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GLFilter(magFilter));
    Upload(newWidth, newHeight, newFormat, pixels);
    return true;
}

void Texture::Upload(int32_t newWidth, int32_t newHeight, PixelFormat newFormat, const void* pixels) {
    GLPixelLayout layout = LayoutOf(newFormat);
    gl.glTexImage2D(GL_TEXTURE_2D, 0, layout.internalFormat, newWidth, newHeight, 0, layout.format, layout.type,
                    pixels);
    GLint reportedWidth = newWidth;
    GLint reportedHeight = newHeight;
    // Where GL cannot report the size it made (WebGL), the size asked for stands.
    if (gl.glGetTexLevelParameteriv) {
        reportedWidth = 1;
        reportedHeight = 1;
        gl.glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &reportedWidth);
        gl.glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &reportedHeight);
    }
    width = reportedWidth;
    height = reportedHeight;
    format = newFormat;
    GpuMemory::Remove(memorySize);
    memorySize = static_cast<uint32_t>(width) * (GetPixelFormatInfo(format)->bitsPerPixel / 8) *
                 static_cast<uint32_t>(height);
    GpuMemory::Add(memorySize);
}

bool Texture::Update(const Image& image) {
    Bind();
    Upload(image.width, image.height, image.format, image.pixels.get());
    return true;
}

void Texture::Bind() {
    gl.glEnable(GL_TEXTURE_2D);
    gl.glBindTexture(GL_TEXTURE_2D, glName);
}
