#include "tools/live/ImageTrouble.h"

#include <cstdint>

namespace {

constexpr size_t kHeaderSize = 18;

unsigned Byte(const std::string& bytes, size_t at) { return static_cast<uint8_t>(bytes[at]); }
unsigned Word(const std::string& bytes, size_t at) { return Byte(bytes, at) | Byte(bytes, at + 1) << 8; }

std::string DescribeType(unsigned type) {
    switch (type) {
    case 0: return "the TGA holds no image data";
    case 1: return "the TGA is colour-mapped (a palette image): save it as uncompressed true colour";
    case 3: return "the TGA is greyscale: save it as uncompressed true colour";
    case 9:
    case 10:
    case 11: return "the TGA is RLE-compressed, which the show does not read: save it uncompressed (RLE off)";
    default: return "not a TGA image the show can read (image type " + std::to_string(type) + ")";
    }
}

// The bytes an uncompressed true-colour file of this header takes in all.
uint64_t ExpectedSize(const std::string& bytes, unsigned pixelBytes) {
    uint64_t size = kHeaderSize + Byte(bytes, 0);
    if (Byte(bytes, 1) == 1)
        size += uint64_t{Word(bytes, 5)} * ((Byte(bytes, 7) + 7u) / 8u);
    return size + uint64_t{Word(bytes, 12)} * Word(bytes, 14) * pixelBytes;
}

std::string DescribeTga(const std::string& bytes) {
    if (bytes.empty())
        return "the file is empty";
    if (bytes.size() < kHeaderSize)
        return "the file is " + std::to_string(bytes.size()) + " bytes long, too short for a TGA header";
    if (Byte(bytes, 2) != 2)
        return DescribeType(Byte(bytes, 2));
    const unsigned depth = Byte(bytes, 16);
    if (depth != 15 && depth != 16 && depth != 24 && depth != 32)
        return "the TGA has " + std::to_string(depth) + " bits a pixel: save it with 16, 24 or 32";
    const uint64_t expected = ExpectedSize(bytes, depth == 15 ? 2 : depth / 8);
    if (bytes.size() < expected)
        return "the file ends early: " + std::to_string(Word(bytes, 12)) + " x " + std::to_string(Word(bytes, 14)) +
               " pixels need " + std::to_string(expected) + " bytes, it holds " + std::to_string(bytes.size());
    return "the image cannot be decoded";
}

}

std::string DescribeImageTrouble(const ImageFileFacts& file) {
    if (!file.exists)
        return "the file is missing";
    if (!file.regular)
        return "not a plain file (a directory or a device?)";
    if (!file.readable)
        return "the file cannot be read: check its permissions";
    return DescribeTga(file.bytes);
}
