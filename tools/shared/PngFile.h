#pragma once

#include <cstdint>
#include <string>
#include <vector>

// An 8-bit RGB picture, rows from the top.
struct RgbPicture {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> rgb;
};

// PNG files of 8-bit RGB pictures: what the capture writes and its tests
// compare. Reading also takes 8-bit RGBA (the alpha is dropped) and every
// row filter; interlaced files and other depths are refused.
bool WritePngFile(const std::string& path, const RgbPicture& picture);
bool ReadPngFile(const std::string& path, RgbPicture& picture, std::string& error);

std::vector<uint8_t> EncodePng(const RgbPicture& picture);
bool DecodePng(const std::vector<uint8_t>& file, RgbPicture& picture, std::string& error);
