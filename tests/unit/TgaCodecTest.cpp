#include "engine/files/FileSystem.h"
#include "engine/files/Image.h"
#include "engine/files/ImageLoader.h"
#include "engine/files/MemoryStream.h"
#include "engine/files/TgaCodec.h"
#include "tests/unit/TemporaryDirectory.h"
#include "tests/unit/TestEngine.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#if defined(__linux__)
#include <sys/resource.h>
#include <unistd.h>
#endif

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Header(uint8_t imageType, uint16_t width, uint16_t height, uint8_t depth, uint8_t descriptor,
             uint8_t idLength = 0, uint8_t colorMapType = 0, uint16_t mapLength = 0, uint8_t mapDepth = 0) {
    return {idLength, colorMapType, imageType, 0, 0, static_cast<uint8_t>(mapLength), static_cast<uint8_t>(mapLength >> 8),
            mapDepth, 0, 0, 0, 0, static_cast<uint8_t>(width), static_cast<uint8_t>(width >> 8),
            static_cast<uint8_t>(height), static_cast<uint8_t>(height >> 8), depth, descriptor};
}

std::unique_ptr<Image> Decode(const Bytes& bytes) {
    MemoryStream stream;
    stream.Write(bytes.data(), static_cast<uint32_t>(bytes.size()));
    TgaCodec codec;
    return std::unique_ptr<Image>(codec.Decode(stream));
}

Bytes Pixels(const Image& image) { return Bytes(image.pixels.get(), image.pixels.get() + image.ByteSize()); }

Bytes Append(Bytes head, const Bytes& tail) {
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

// A 2 x 2 picture, top row T1 T2 and bottom row B1 B2, stored as BGR rows in
// the order each origin walks.
const Bytes kT1{1, 2, 3}, kT2{4, 5, 6}, kB1{7, 8, 9}, kB2{10, 11, 12};

Bytes Row(const Bytes& a, const Bytes& b) { return Append(a, b); }

#if defined(__linux__) && !defined(ZP_SANITIZED)
// The process may map only `extra` bytes more than it has now.
void LimitAddressSpaceToCurrentPlus(rlim_t extra) {
    std::ifstream statm("/proc/self/statm");
    rlim_t pages = 0;
    statm >> pages;
    const rlim_t limit = pages * static_cast<rlim_t>(sysconf(_SC_PAGESIZE)) + extra;
    const rlimit bounds{limit, limit};
    setrlimit(RLIMIT_AS, &bounds);
}
#endif

TEST(TgaCodec, AllFourOriginsDecodeToTheSameTopDownPicture) {
    const Bytes expected{3, 2, 1, 6, 5, 4, 9, 8, 7, 12, 11, 10};
    const Bytes bottomLeft = Append(Row(kB1, kB2), Row(kT1, kT2));
    const Bytes bottomRight = Append(Row(kB2, kB1), Row(kT2, kT1));
    const Bytes topLeft = Append(Row(kT1, kT2), Row(kB1, kB2));
    const Bytes topRight = Append(Row(kT2, kT1), Row(kB2, kB1));
    const std::pair<uint8_t, Bytes> stored[] = {{0x00, bottomLeft}, {0x10, bottomRight}, {0x20, topLeft}, {0x30, topRight}};
    for (const auto& [descriptor, data] : stored) {
        auto image = Decode(Append(Header(2, 2, 2, 24, descriptor), data));
        ASSERT_TRUE(image) << int(descriptor);
        EXPECT_EQ(image->format, R8G8B8);
        EXPECT_EQ(Pixels(*image), expected) << int(descriptor);
    }
}

TEST(TgaCodec, SixteenBitChannelsLandInTheTopFiveBits) {
    auto image = Decode(Append(Header(2, 3, 1, 16, 0x20), {0xFF, 0x7F, 0x00, 0x80, 0x1F, 0x7C}));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->format, R8G8B8);
    EXPECT_EQ(Pixels(*image), (Bytes{248, 248, 248, 0, 0, 0, 248, 0, 248}));
    auto fifteen = Decode(Append(Header(2, 1, 1, 15, 0x20), {0xFF, 0x7F}));
    ASSERT_TRUE(fifteen);
    EXPECT_EQ(Pixels(*fifteen), (Bytes{248, 248, 248}));
}

TEST(TgaCodec, ThirtyTwoBitsKeepTheAlpha) {
    auto image = Decode(Append(Header(2, 1, 1, 32, 0x28), {10, 20, 30, 40}));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->format, R8G8B8A8);
    EXPECT_EQ(Pixels(*image), (Bytes{30, 20, 10, 40}));
}

TEST(TgaCodec, ImageIdAndAColourMapAreSkippedBeforeThePixels) {
    Bytes file = Header(2, 1, 1, 24, 0x20, 3, 1, 2, 24);
    file = Append(file, {'i', 'd', '!'});
    file = Append(file, {0xEE, 0xEE, 0xEE, 0xDD, 0xDD, 0xDD});  // the colour map
    auto image = Decode(Append(file, {1, 2, 3}));
    ASSERT_TRUE(image);
    EXPECT_EQ(Pixels(*image), (Bytes{3, 2, 1}));
}

TEST(TgaCodec, SizesAreCountedInSixtyFourBits) {
    // 32768 x 32768 pixels of 4 bytes is exactly 2^32 bytes, 0 in 32 bits: a
    // 0-byte read passed and the pixels were written past a 0-byte array.
    EXPECT_FALSE(Decode(Append(Header(2, 32768, 32768, 32, 0), Bytes(64, 0))));
    EXPECT_FALSE(Decode(Append(Header(2, 65535, 65535, 24, 0), Bytes(64, 0))));
    Image image;
    image.format = R8G8B8A8;
    image.width = 32768;
    image.height = 32768;
    EXPECT_EQ(image.ByteSize(), uint64_t{1} << 32);
}

#if defined(__linux__) && !defined(ZP_SANITIZED)
// An 18-byte file claiming 65535 x 65535 at 32 bits (17 GB, or 4.3 GB in 32
// bits) must be refused before any memory is taken: the decode runs under an
// address-space limit far below either figure.
TEST(TgaCodecDeathTest, AHeaderAloneTakesNoMemory) {
    const Bytes header = Header(2, 65535, 65535, 32, 0);
    EXPECT_EXIT(
        {
            LimitAddressSpaceToCurrentPlus(512u << 20);
            std::_Exit(Decode(header) ? 1 : 0);
        },
        ::testing::ExitedWithCode(0), "");
}
#endif

TEST(TgaCodec, UnsupportedOrTruncatedDataGivesNull) {
    EXPECT_FALSE(Decode(Append(Header(10, 1, 1, 24, 0), {0x80, 1, 2, 3})));    // run-length
    EXPECT_FALSE(Decode(Append(Header(1, 1, 1, 8, 0, 0, 1, 1, 24), {0, 0, 0, 0})));  // colour-mapped
    EXPECT_FALSE(Decode(Append(Header(3, 1, 1, 8, 0), {0})));                   // grey
    EXPECT_FALSE(Decode(Append(Header(2, 4, 1, 8, 0), {0, 0, 0, 0})));
    EXPECT_FALSE(Decode(Append(Header(2, 8, 1, 1, 0), {0xFF})));                 // under a byte per pixel
    EXPECT_FALSE(Decode(Append(Header(2, 2, 2, 24, 0), Bytes(11, 0))));         // pixels cut short
    EXPECT_FALSE(Decode(Bytes{0, 0, 2, 0, 0}));                                  // header cut short
    EXPECT_FALSE(Decode(Append(Header(2, 1, 1, 24, 0, 200), {1, 2, 3})));       // id runs past the end
}

// Files written by ImageMagick 6.9 (Debian's imagemagick package): the same
// 3 x 2 picture (top row red, green, blue; bottom row yellow, cyan, white;
// alpha 64, 127, 191 by column in the 32-bit ones), bottom-left ("bl") and
// top-left ("tl") origin. From a plain PPM of that picture:
//   convert pic.ppm -flip -type TrueColor bl24.tga
//   convert pic.ppm -orient TopLeft -type TrueColor tl24.tga
//   (16 bits: add -depth 5; 32 bits: -alpha set -channel A -fx '(i+1)/4'
//   +channel -type TrueColorAlpha; -flip because the writer stores the rows
//   as they are and only marks the origin)
//   convert pic.ppm -compress RLE -type TrueColor rle24.tga
//   convert pic.ppm -type Palette mapped.tga
//   convert pic.ppm -colorspace Gray -type Grayscale gray8.tga
std::unique_ptr<Image> LoadReference(const std::string& name) {
    MemoryStream stream;
    EXPECT_TRUE(stream.LoadFromFile(std::string(ZP_TEST_DATA_DIR) + "/tga/" + name)) << name;
    TgaCodec codec;
    return std::unique_ptr<Image>(codec.Decode(stream));
}

Bytes ReferencePicture(uint8_t full, bool alpha) {
    const Bytes colours[6] = {{full, 0, 0}, {0, full, 0}, {0, 0, full}, {full, full, 0}, {0, full, full}, {full, full, full}};
    const uint8_t alphas[3] = {64, 127, 191};
    Bytes picture;
    for (int i = 0; i < 6; ++i) {
        picture = Append(picture, colours[i]);
        if (alpha)
            picture.push_back(alphas[i % 3]);
    }
    return picture;
}

TEST(TgaCodec, DecodesFilesWrittenByAnotherTool) {
    for (const char* origin : {"bl", "tl"}) {
        auto sixteen = LoadReference(std::string(origin) + "16.tga");
        auto twentyFour = LoadReference(std::string(origin) + "24.tga");
        auto thirtyTwo = LoadReference(std::string(origin) + "32.tga");
        ASSERT_TRUE(sixteen && twentyFour && thirtyTwo) << origin;
        EXPECT_EQ(sixteen->width, 3);
        EXPECT_EQ(sixteen->height, 2);
        EXPECT_EQ(Pixels(*sixteen), ReferencePicture(248, false)) << origin;
        EXPECT_EQ(Pixels(*twentyFour), ReferencePicture(255, false)) << origin;
        EXPECT_EQ(thirtyTwo->format, R8G8B8A8);
        EXPECT_EQ(Pixels(*thirtyTwo), ReferencePicture(255, true)) << origin;
    }
    EXPECT_FALSE(LoadReference("rle24.tga"));
    EXPECT_FALSE(LoadReference("mapped.tga"));
    EXPECT_FALSE(LoadReference("gray8.tga"));
}

class ImageLoaderTest : public ::testing::Test {
protected:
    void SetUp() override { engine.fileSystem = &fileSystem; }
    TestEngine engine;
    FileSystem fileSystem;
    TemporaryDirectory directory;
};

TEST_F(ImageLoaderTest, LoadsByExtensionAndNamesTheImage) {
    std::string path = std::string(ZP_TEST_DATA_DIR) + "/tga/tl24.tga";
    std::unique_ptr<Image> image(LoadImage(path));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->name, path);
    EXPECT_TRUE(engine.sink.lines.empty());
}

TEST_F(ImageLoaderTest, ExtensionIsCaseSensitive) {
    std::string path = directory.path + "/PICTURE.TGA";
    WriteTestFile(path, ReadTestFile(std::string(ZP_TEST_DATA_DIR) + "/tga/tl24.tga"));
    EXPECT_EQ(LoadImage(path), nullptr);
    ASSERT_EQ(engine.sink.Texts().size(), 1u);
    EXPECT_EQ(engine.sink.Texts()[0],
              "Cannot load image from file '" + path + "'. No codec found for extension 'TGA'.");
    EXPECT_EQ(engine.sink.levels[0], LOG_ERROR);
}

TEST_F(ImageLoaderTest, MissingExtensionAndDotInADirectoryName) {
    {
        WorkingDirectoryScope inside(directory.path);
        WriteTestFile("picture", "x");
        WriteTestFile("data.v2/picture", "x");
        EXPECT_EQ(LoadImage("picture"), nullptr);
        EXPECT_EQ(LoadImage("data.v2/picture"), nullptr);
    }
    ASSERT_EQ(engine.sink.Texts().size(), 2u);
    EXPECT_EQ(engine.sink.Texts()[0],
              "Cannot load image from file 'picture'. No codec found, because the file has no extension.");
    EXPECT_EQ(engine.sink.Texts()[1],
              "Cannot load image from file 'data.v2/picture'. No codec found for extension 'v2/picture'.");
}

TEST_F(ImageLoaderTest, MissingOrUndecodableFileIsNullWithoutAMessage) {
    std::string broken = directory.path + "/broken.tga";
    WriteTestFile(broken, "no picture");
    EXPECT_EQ(LoadImage(directory.path + "/absent.tga"), nullptr);
    EXPECT_EQ(LoadImage(broken), nullptr);
    EXPECT_TRUE(engine.sink.lines.empty());
}

}
