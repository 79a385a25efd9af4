#include "tools/shared/PngFile.h"

#include <zlib.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>

namespace {

const uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr uint32_t kMaxSide = 8192;

void PutBigEndian(std::vector<uint8_t>& out, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<uint8_t>(value >> shift));
}

uint32_t GetBigEndian(const uint8_t* bytes) {
    return (uint32_t(bytes[0]) << 24) | (uint32_t(bytes[1]) << 16) | (uint32_t(bytes[2]) << 8) | bytes[3];
}

void PutChunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data) {
    PutBigEndian(out, static_cast<uint32_t>(data.size()));
    const size_t typeAt = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    const uLong crc = crc32(0L, out.data() + typeAt, static_cast<uInt>(data.size() + 4));
    PutBigEndian(out, static_cast<uint32_t>(crc));
}

std::vector<uint8_t> HeaderChunk(const RgbPicture& picture) {
    std::vector<uint8_t> header;
    PutBigEndian(header, static_cast<uint32_t>(picture.width));
    PutBigEndian(header, static_cast<uint32_t>(picture.height));
    const uint8_t rest[5] = {8, 2, 0, 0, 0};  // depth 8, RGB, deflate, adaptive filters, no interlace
    header.insert(header.end(), rest, rest + 5);
    return header;
}

// Every row with the "up" filter: a good fit for rendered frames, and simple.
std::vector<uint8_t> FilteredRows(const RgbPicture& picture) {
    const size_t stride = static_cast<size_t>(picture.width) * 3;
    std::vector<uint8_t> rows;
    rows.reserve((stride + 1) * static_cast<size_t>(picture.height));
    for (int32_t y = 0; y < picture.height; ++y) {
        const uint8_t* row = picture.rgb.data() + stride * static_cast<size_t>(y);
        rows.push_back(y == 0 ? 0 : 2);
        for (size_t x = 0; x < stride; ++x)
            rows.push_back(static_cast<uint8_t>(row[x] - (y == 0 ? 0 : row[x - stride])));
    }
    return rows;
}

uint8_t Paeth(int a, int b, int c) {
    const int p = a + b - c;
    const int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    if (pa <= pb && pa <= pc)
        return static_cast<uint8_t>(a);
    return static_cast<uint8_t>(pb <= pc ? b : c);
}

bool Unfilter(uint8_t filter, uint8_t* row, const uint8_t* above, size_t stride, size_t pixelBytes) {
    for (size_t x = 0; x < stride; ++x) {
        const int left = x >= pixelBytes ? row[x - pixelBytes] : 0;
        const int up = above ? above[x] : 0;
        const int upLeft = above && x >= pixelBytes ? above[x - pixelBytes] : 0;
        switch (filter) {
        case 0: break;
        case 1: row[x] = static_cast<uint8_t>(row[x] + left); break;
        case 2: row[x] = static_cast<uint8_t>(row[x] + up); break;
        case 3: row[x] = static_cast<uint8_t>(row[x] + (left + up) / 2); break;
        case 4: row[x] = static_cast<uint8_t>(row[x] + Paeth(left, up, upLeft)); break;
        default: return false;
        }
    }
    return true;
}

struct PngLayout {
    int32_t width = 0;
    int32_t height = 0;
    size_t pixelBytes = 0;
};

bool ReadHeader(const uint8_t* data, uint32_t length, PngLayout& layout, std::string& error) {
    if (length != 13) {
        error = "bad header chunk";
        return false;
    }
    const uint32_t width = GetBigEndian(data), height = GetBigEndian(data + 4);
    const uint8_t depth = data[8], colour = data[9], interlace = data[12];
    if (width == 0 || height == 0 || width > kMaxSide || height > kMaxSide) {
        error = "picture size out of range";
        return false;
    }
    if (depth != 8 || (colour != 2 && colour != 6) || data[10] != 0 || data[11] != 0 || interlace != 0) {
        error = "only 8-bit RGB or RGBA without interlacing is read";
        return false;
    }
    layout = {static_cast<int32_t>(width), static_cast<int32_t>(height), colour == 2 ? 3u : 4u};
    return true;
}

bool Inflate(const std::vector<uint8_t>& packed, size_t expected, std::vector<uint8_t>& rows) {
    rows.assign(expected, 0);
    uLongf size = static_cast<uLongf>(expected);
    return uncompress(rows.data(), &size, packed.data(), static_cast<uLong>(packed.size())) == Z_OK &&
           size == expected;
}

bool Reconstruct(std::vector<uint8_t>& rows, const PngLayout& layout, RgbPicture& picture, std::string& error) {
    const size_t stride = static_cast<size_t>(layout.width) * layout.pixelBytes;
    picture.width = layout.width;
    picture.height = layout.height;
    picture.rgb.resize(static_cast<size_t>(layout.width) * static_cast<size_t>(layout.height) * 3);
    for (int32_t y = 0; y < layout.height; ++y) {
        uint8_t* row = rows.data() + (stride + 1) * static_cast<size_t>(y);
        const uint8_t* above = y == 0 ? nullptr : row + 1 - (stride + 1);
        if (!Unfilter(row[0], row + 1, above, stride, layout.pixelBytes)) {
            error = "unknown row filter";
            return false;
        }
        uint8_t* out = picture.rgb.data() + static_cast<size_t>(layout.width) * 3 * static_cast<size_t>(y);
        for (int32_t x = 0; x < layout.width; ++x)
            std::memcpy(out + 3 * x, row + 1 + layout.pixelBytes * static_cast<size_t>(x), 3);
    }
    return true;
}

}

std::vector<uint8_t> EncodePng(const RgbPicture& picture) {
    const std::vector<uint8_t> rows = FilteredRows(picture);
    uLongf packedSize = compressBound(static_cast<uLong>(rows.size()));
    std::vector<uint8_t> packed(packedSize);
    compress2(packed.data(), &packedSize, rows.data(), static_cast<uLong>(rows.size()), Z_BEST_SPEED);
    packed.resize(packedSize);

    std::vector<uint8_t> file(kSignature, kSignature + 8);
    PutChunk(file, "IHDR", HeaderChunk(picture));
    PutChunk(file, "IDAT", packed);
    PutChunk(file, "IEND", {});
    return file;
}

bool DecodePng(const std::vector<uint8_t>& file, RgbPicture& picture, std::string& error) {
    if (file.size() < 8 || std::memcmp(file.data(), kSignature, 8) != 0) {
        error = "not a PNG file";
        return false;
    }
    PngLayout layout;
    std::vector<uint8_t> packed;
    bool ended = false;
    for (size_t at = 8; !ended;) {
        if (file.size() - at < 12 || GetBigEndian(&file[at]) > file.size() - at - 12) {
            error = "truncated chunk";
            return false;
        }
        const uint32_t length = GetBigEndian(&file[at]);
        const uint8_t* type = &file[at + 4];
        const uint8_t* data = &file[at + 8];
        if (std::memcmp(type, "IHDR", 4) == 0 && !ReadHeader(data, length, layout, error))
            return false;
        if (std::memcmp(type, "IDAT", 4) == 0)
            packed.insert(packed.end(), data, data + length);
        ended = std::memcmp(type, "IEND", 4) == 0;
        at += 12 + static_cast<size_t>(length);
    }
    if (layout.width == 0) {
        error = "no header chunk";
        return false;
    }
    std::vector<uint8_t> rows;
    const size_t stride = static_cast<size_t>(layout.width) * layout.pixelBytes;
    if (!Inflate(packed, (stride + 1) * static_cast<size_t>(layout.height), rows)) {
        error = "picture data does not inflate to the picture's size";
        return false;
    }
    return Reconstruct(rows, layout, picture, error);
}

bool WritePngFile(const std::string& path, const RgbPicture& picture) {
    const std::vector<uint8_t> file = EncodePng(picture);
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
    return static_cast<bool>(out.flush());
}

bool ReadPngFile(const std::string& path, RgbPicture& picture, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot open '" + path + "'";
        return false;
    }
    const std::vector<uint8_t> file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return DecodePng(file, picture, error);
}
