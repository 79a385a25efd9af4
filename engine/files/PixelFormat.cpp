#include "engine/files/PixelFormat.h"

const PixelFormatInfo* GetPixelFormatInfo(PixelFormat format) {
    static const PixelFormatInfo table[kPixelFormatCount] = {
        {R8G8B8, "R8G8B8", 24},     {B8G8R8, "B8G8R8", 24},     {R8G8B8X8, "R8G8B8X8", 32},
        {B8G8R8X8, "B8G8R8X8", 32}, {R8G8B8A8, "R8G8B8A8", 32}, {B8G8R8A8, "B8G8R8A8", 32},
    };
    return &table[format];
}
