#include "engine/files/TgaCodec.h"

#include "engine/files/Image.h"
#include "engine/files/ImageCodecRegistry.h"
#include "engine/files/InputStream.h"

#include <memory>
#include <vector>

namespace {

constexpr uint8_t kTrueColorImage = 2;
constexpr uint8_t kColorMapPresent = 1;
constexpr uint8_t kOriginRight = 0x10;
constexpr uint8_t kOriginTop = 0x20;

struct TgaHeader {
    uint8_t idLength = 0;
    uint8_t colorMapType = 0;
    uint8_t imageType = 0;
    uint16_t colorMapOrigin = 0;
    uint16_t colorMapLength = 0;
    uint8_t colorMapDepth = 0;
    uint16_t xOrigin = 0;
    uint16_t yOrigin = 0;
    uint16_t width = 0;
    uint16_t height = 0;
    uint8_t pixelDepth = 0;
    uint8_t descriptor = 0;
};

uint16_t LittleEndian16(const uint8_t* bytes) { return static_cast<uint16_t>(bytes[0] | (bytes[1] << 8)); }

bool ReadExactly(InputStream& in, uint8_t* destination, uint32_t count) {
    return count == 0 || (in.Read(destination, count) == static_cast<int32_t>(count) && in.IsGood());
}

bool ReadHeader(InputStream& in, TgaHeader& header) {
    uint8_t bytes[18];
    if (!ReadExactly(in, bytes, sizeof bytes))
        return false;
    header.idLength = bytes[0];
    header.colorMapType = bytes[1];
    header.imageType = bytes[2];
    header.colorMapOrigin = LittleEndian16(bytes + 3);
    header.colorMapLength = LittleEndian16(bytes + 5);
    header.colorMapDepth = bytes[7];
    header.xOrigin = LittleEndian16(bytes + 8);
    header.yOrigin = LittleEndian16(bytes + 10);
    header.width = LittleEndian16(bytes + 12);
    header.height = LittleEndian16(bytes + 14);
    header.pixelDepth = bytes[16];
    header.descriptor = bytes[17];
    return true;
}

bool Skip(InputStream& in, uint32_t count) {
    if (count > in.BytesLeft())
        return false;
    std::vector<uint8_t> discarded(count);
    return ReadExactly(in, discarded.data(), count);
}

// Only the depths whose pixels fill whole bytes; anything else would make
// the walk below read outside the pixel data.
uint32_t BytesPerPixel(uint8_t pixelDepth) {
    switch (pixelDepth) {
    case 15:
    case 16: return 2;
    case 24: return 3;
    case 32: return 4;
    default: return 0;
    }
}

void ConvertPixel(const uint8_t* source, uint32_t sourceBytes, uint8_t* target) {
    if (sourceBytes == 2) {
        uint32_t value = LittleEndian16(source);
        target[0] = static_cast<uint8_t>((value >> 7) & 0xF8);
        target[1] = static_cast<uint8_t>((value >> 2) & 0xF8);
        target[2] = static_cast<uint8_t>((value << 3) & 0xFF);
        return;
    }
    target[0] = source[2];
    target[1] = source[1];
    target[2] = source[0];
    if (sourceBytes == 4)
        target[3] = source[3];
}

// Writes the stored rows top row first, each left to right, whatever corner
// the file starts in.
void Reorder(const TgaHeader& header, const uint8_t* stored, uint32_t sourceBytes, Image& image) {
    const size_t width = header.width;
    const size_t height = header.height;
    const size_t targetBytes = sourceBytes == 4 ? 4 : 3;
    const bool fromTop = header.descriptor & kOriginTop;
    const bool fromRight = header.descriptor & kOriginRight;
    uint8_t* target = image.pixels.get();
    for (size_t row = 0; row < height; ++row) {
        size_t storedRow = fromTop ? row : height - 1 - row;
        for (size_t column = 0; column < width; ++column) {
            size_t storedColumn = fromRight ? width - 1 - column : column;
            const uint8_t* source = stored + (storedRow * width + storedColumn) * sourceBytes;
            ConvertPixel(source, sourceBytes, target);
            target += targetBytes;
        }
    }
}

ImageCodec* CreateTgaCodec() { return new TgaCodec; }

const ImageCodecRegistration registration("tga", CreateTgaCodec);

}

Image* TgaCodec::Decode(InputStream& in) {
    in.SetTextMode(false);
    TgaHeader header;
    if (!ReadHeader(in, header) || header.imageType != kTrueColorImage)
        return nullptr;
    const uint32_t sourceBytes = BytesPerPixel(header.pixelDepth);
    if (sourceBytes == 0 || !Skip(in, header.idLength))
        return nullptr;
    // A true-colour image may still carry a colour map; its pixels follow it.
    if (header.colorMapType == kColorMapPresent &&
        !Skip(in, static_cast<uint32_t>(header.colorMapLength) * ((header.colorMapDepth + 7u) / 8u)))
        return nullptr;

    // 64 bits, and checked against what the stream holds before any memory
    // is taken: the header alone may claim 17 GB.
    const uint64_t storedSize = uint64_t{header.width} * header.height * sourceBytes;
    if (storedSize > in.BytesLeft())
        return nullptr;
    std::vector<uint8_t> stored(storedSize);
    if (!ReadExactly(in, stored.data(), static_cast<uint32_t>(storedSize)))
        return nullptr;

    auto image = std::make_unique<Image>();
    image->format = sourceBytes == 4 ? R8G8B8A8 : R8G8B8;
    image->width = header.width;
    image->height = header.height;
    image->pixels.reset(new uint8_t[image->ByteSize()]);
    Reorder(header, stored.data(), sourceBytes, *image);
    return image.release();
}

bool TgaCodec::Encode(const Image&, OutputStream&) { return false; }
