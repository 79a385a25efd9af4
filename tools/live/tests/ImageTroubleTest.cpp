#include "tools/live/ImageTrouble.h"

#include <gtest/gtest.h>

namespace {

// A TGA header of the type and depth given, 2 x 2 pixels, and its pixels.
ImageFileFacts Tga(int type, int depth, size_t pixelBytes) {
    ImageFileFacts file;
    file.bytes.assign(18, '\0');
    file.bytes[2] = static_cast<char>(type);
    file.bytes[12] = 2;
    file.bytes[14] = 2;
    file.bytes[16] = static_cast<char>(depth);
    file.bytes.append(pixelBytes, '\x7f');
    return file;
}

bool Says(const ImageFileFacts& file, const std::string& words) {
    return DescribeImageTrouble(file).find(words) != std::string::npos;
}

}

TEST(ImageTrouble, EachRefusedImageSaysWhyAndWhatToDo) {
    // The default of common image editors: run-length compressed.
    EXPECT_TRUE(Says(Tga(10, 24, 12), "RLE")) << DescribeImageTrouble(Tga(10, 24, 12));
    EXPECT_TRUE(Says(Tga(10, 24, 12), "save it uncompressed"));
    EXPECT_TRUE(Says(Tga(9, 8, 4), "RLE"));
    EXPECT_TRUE(Says(Tga(1, 8, 4), "colour-mapped"));
    EXPECT_TRUE(Says(Tga(3, 8, 4), "greyscale"));
    EXPECT_TRUE(Says(Tga(2, 8, 4), "8 bits a pixel"));
    EXPECT_TRUE(Says(Tga(2, 24, 11), "ends early: 2 x 2 pixels need 30 bytes, it holds 29"));
    ImageFileFacts shortFile;
    shortFile.bytes = "TGA";
    EXPECT_TRUE(Says(shortFile, "3 bytes long, too short"));
    shortFile.bytes.clear();
    EXPECT_TRUE(Says(shortFile, "empty"));

    ImageFileFacts missing;
    missing.exists = false;
    EXPECT_EQ(DescribeImageTrouble(missing), "the file is missing");
    ImageFileFacts directory;
    directory.regular = directory.readable = false;
    EXPECT_TRUE(Says(directory, "not a plain file"));
    ImageFileFacts locked;
    locked.readable = false;
    EXPECT_TRUE(Says(locked, "cannot be read: check its permissions"));
}
