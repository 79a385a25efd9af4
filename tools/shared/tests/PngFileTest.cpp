#include "tools/shared/PngFile.h"

#include <gtest/gtest.h>

#include <zlib.h>

namespace {

RgbPicture Gradient(int32_t width, int32_t height) {
    RgbPicture picture;
    picture.width = width;
    picture.height = height;
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x)
            picture.rgb.insert(picture.rgb.end(), {uint8_t(x * 7), uint8_t(y * 13), uint8_t(x ^ y)});
    return picture;
}

TEST(PngFile, WhatIsWrittenReadsBackPixelForPixel) {
    const RgbPicture original = Gradient(37, 11);
    RgbPicture read;
    std::string error;
    ASSERT_TRUE(DecodePng(EncodePng(original), read, error)) << error;
    EXPECT_EQ(read.width, 37);
    EXPECT_EQ(read.height, 11);
    EXPECT_EQ(read.rgb, original.rgb);
}

// A hand-made RGBA file with the sub, average and Paeth filters, as other
// writers make them.
std::vector<uint8_t> RgbaFileWithFilters() {
    const uint8_t rows[] = {
        1, 10, 20, 30, 255, 5, 5, 5, 0,      // sub: second pixel 15, 25, 35
        3, 2, 4, 6, 0, 1, 1, 1, 0,           // average: 10/2+2=7, ...
        4, 1, 1, 1, 0, 1, 1, 1, 0,           // Paeth
    };
    std::vector<uint8_t> packed(compressBound(sizeof rows));
    uLongf size = static_cast<uLongf>(packed.size());
    compress2(packed.data(), &size, rows, sizeof rows, 9);
    packed.resize(size);
    RgbPicture shape;
    shape.width = 2;
    shape.height = 3;
    shape.rgb.assign(18, 0);
    std::vector<uint8_t> file = EncodePng(shape);
    // Swap in colour type 6 and the hand-made data; the reader checks no CRCs.
    file[8 + 8 + 9] = 6;
    const size_t idat = 8 + 25;
    std::vector<uint8_t> out(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(idat));
    const uint32_t length = static_cast<uint32_t>(packed.size());
    out.insert(out.end(), {uint8_t(length >> 24), uint8_t(length >> 16), uint8_t(length >> 8), uint8_t(length)});
    out.insert(out.end(), {'I', 'D', 'A', 'T'});
    out.insert(out.end(), packed.begin(), packed.end());
    out.insert(out.end(), {0, 0, 0, 0, 0, 0, 0, 0, 'I', 'E', 'N', 'D', 0, 0, 0, 0});
    return out;
}

TEST(PngFile, ReadsEveryRowFilterAndDropsAlpha) {
    RgbPicture read;
    std::string error;
    ASSERT_TRUE(DecodePng(RgbaFileWithFilters(), read, error)) << error;
    const std::vector<uint8_t> expected = {10, 20, 30, 15, 25, 35,  // sub
                                           7,  14, 21, 12, 20, 29,  // average of left and up
                                           8,  15, 22, 13, 21, 30}; // Paeth, nearest to up here
    EXPECT_EQ(read.rgb, expected);
}

TEST(PngFile, RefusesDamagedFilesWithAReason) {
    std::vector<uint8_t> file = EncodePng(Gradient(8, 8));
    RgbPicture read;
    std::string error;

    EXPECT_FALSE(DecodePng({}, read, error));
    std::vector<uint8_t> truncated(file.begin(), file.begin() + 40);
    EXPECT_FALSE(DecodePng(truncated, read, error));
    EXPECT_FALSE(error.empty());

    std::vector<uint8_t> sixteenBit = file;
    sixteenBit[8 + 8 + 8] = 16;
    EXPECT_FALSE(DecodePng(sixteenBit, read, error));

    std::vector<uint8_t> huge = file;
    huge[8 + 8] = 0x7F;  // width far beyond any frame
    EXPECT_FALSE(DecodePng(huge, read, error));
}

}
