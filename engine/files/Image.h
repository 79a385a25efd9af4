#pragma once

#include "engine/files/PixelFormat.h"

#include <cstdint>
#include <memory>
#include <string>

// A decoded picture: rows from the top down, each left to right, unpadded.
struct Image {
    std::string name;  // the path it was loaded from
    PixelFormat format = R8G8B8;
    int32_t width = 0;
    int32_t height = 0;
    std::unique_ptr<uint8_t[]> pixels;

    // In 64 bits: 32768 x 32768 pixels of 4 bytes is exactly 2^32.
    uint64_t ByteSize() const {
        return static_cast<uint64_t>(width < 0 ? 0 : width) * static_cast<uint64_t>(height < 0 ? 0 : height) *
               (GetPixelFormatInfo(format)->bitsPerPixel / 8);
    }
};
