#pragma once

#include <cstdint>
#include <vector>

// WebGL 2 takes an unsized internal format only with the same pixel format,
// and no BGR or BGRA: a desktop upload becomes one whose format is the
// internal format, its pixels reordered or stripped of alpha on the CPU.
struct WebTextureUpload {
    uint32_t format = 0;          // GL_RGB or GL_RGBA, the same as the internal format
    std::vector<uint8_t> pixels;  // rows packed without padding; empty when none were given
    bool valid = false;           // false for a layout this does not know
};

// `format` is GL_RGB, GL_BGR, GL_RGBA or GL_BGRA with unsigned bytes;
// `internalFormat` GL_RGB or GL_RGBA. Rows of `pixels` (which may be null)
// start at multiples of `unpackAlignment`.
WebTextureUpload ToWebTextureUpload(uint32_t internalFormat, uint32_t format, int32_t width, int32_t height,
                                    int32_t unpackAlignment, const void* pixels);
