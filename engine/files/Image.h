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

    uint32_t ByteSize() const {
        return static_cast<uint32_t>(width) * static_cast<uint32_t>(height) * (GetPixelFormatInfo(format)->bitsPerPixel / 8);
    }
};
