#include "engine/platform/web/TexturePixels.h"

#include "engine/render/GLConstants.h"

#include <cstddef>

namespace {

struct SourceLayout {
    size_t channels = 0;
    bool reversed = false;  // BGR(A): red and blue swapped
};

SourceLayout LayoutOf(uint32_t format) {
    switch (format) {
    case GL_RGB: return {3, false};
    case GL_BGR: return {3, true};
    case GL_RGBA: return {4, false};
    case GL_BGRA: return {4, true};
    default: return {};
    }
}

size_t RowBytes(size_t width, size_t channels, size_t alignment) {
    const size_t packed = width * channels;
    return (packed + alignment - 1) / alignment * alignment;
}

}

WebTextureUpload ToWebTextureUpload(uint32_t internalFormat, uint32_t format, int32_t width, int32_t height,
                                    int32_t unpackAlignment, const void* pixels) {
    WebTextureUpload upload;
    const SourceLayout source = LayoutOf(format);
    const size_t outChannels = internalFormat == GL_RGB ? 3 : internalFormat == GL_RGBA ? 4 : 0;
    const bool alignmentKnown = unpackAlignment == 1 || unpackAlignment == 2 || unpackAlignment == 4 ||
                                unpackAlignment == 8;
    if (source.channels == 0 || outChannels == 0 || width < 0 || height < 0 || !alignmentKnown ||
        outChannels > source.channels)
        return upload;
    upload.format = internalFormat;
    upload.valid = true;
    if (!pixels)
        return upload;
    const size_t w = static_cast<size_t>(width);
    const size_t h = static_cast<size_t>(height);
    const size_t stride = RowBytes(w, source.channels, static_cast<size_t>(unpackAlignment));
    upload.pixels.resize(w * h * outChannels);
    const uint8_t* in = static_cast<const uint8_t*>(pixels);
    uint8_t* out = upload.pixels.data();
    for (size_t y = 0; y < h; ++y) {
        const uint8_t* pixel = in + y * stride;
        for (size_t x = 0; x < w; ++x, pixel += source.channels) {
            out[0] = pixel[source.reversed ? 2 : 0];
            out[1] = pixel[1];
            out[2] = pixel[source.reversed ? 0 : 2];
            if (outChannels == 4)
                out[3] = pixel[3];
            out += outChannels;
        }
    }
    return upload;
}
