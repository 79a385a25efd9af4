#pragma once

#include <cstdint>

enum PixelFormat : int32_t {
    R8G8B8 = 0,
    B8G8R8 = 1,
    R8G8B8X8 = 2,
    B8G8R8X8 = 3,
    R8G8B8A8 = 4,
    B8G8R8A8 = 5,
};

constexpr int kPixelFormatCount = 6;

struct PixelFormatInfo {
    PixelFormat format;
    const char* name;
    uint32_t bitsPerPixel;
};

// The table row of one of the six formats; only those are defined.
const PixelFormatInfo* GetPixelFormatInfo(PixelFormat format);
