#include "tools/cardgen/TgaWriter.h"

#include <cstddef>

std::vector<uint8_t> EncodeTga(const std::vector<uint8_t>& rgb, int width, int height) {
    std::vector<uint8_t> tga(18, 0);
    tga[2] = 2;  // uncompressed true colour
    tga[12] = static_cast<uint8_t>(width);
    tga[13] = static_cast<uint8_t>(width >> 8);
    tga[14] = static_cast<uint8_t>(height);
    tga[15] = static_cast<uint8_t>(height >> 8);
    tga[16] = 24;
    tga[17] = 0;  // bottom-left origin, no alpha bits
    tga.reserve(tga.size() + rgb.size());
    for (int y = height - 1; y >= 0; --y)
        for (int x = 0; x < width; ++x) {
            const uint8_t* pixel = &rgb[(static_cast<size_t>(y) * width + x) * 3];
            tga.insert(tga.end(), {pixel[2], pixel[1], pixel[0]});
        }
    return tga;
}
