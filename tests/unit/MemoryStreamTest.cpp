#include "engine/files/MemoryStream.h"

#include "PakTestData.h"
#include "TemporaryDirectory.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

MemoryStream StreamOf(const std::string& bytes) {
    MemoryStream stream;
    stream.Write(bytes.data(), static_cast<uint32_t>(bytes.size()));
    return stream;
}

std::string LengthPrefixed(const std::string& text) {
    return UInt32Bytes(static_cast<uint32_t>(text.size())) + text;
}

}

TEST(MemoryStreamTest, SeeksOntoBytesAndReadsUpToTheEnd) {
    MemoryStream stream = StreamOf("0123456789");
    EXPECT_TRUE(stream.Seek(0, SeekOrigin::End));
    EXPECT_EQ(stream.Tell(), 9u);
    EXPECT_FALSE(stream.Seek(10, SeekOrigin::Begin));
    EXPECT_FALSE(stream.Seek(-10, SeekOrigin::Current));
    EXPECT_FALSE(stream.Seek(1, static_cast<SeekOrigin>(3)));
    EXPECT_FALSE(MemoryStream().Seek(0, SeekOrigin::Begin));
    ASSERT_TRUE(stream.Seek(-1, SeekOrigin::Current));

    char buffer[4] = {};
    EXPECT_EQ(stream.Read(buffer, 4), 2);
    EXPECT_FALSE(stream.IsGood());
    EXPECT_EQ(std::string(buffer, 2), "89");
    EXPECT_EQ(stream.Read(buffer, 1), -1);
    EXPECT_EQ(stream.Tell(), 10u);
}

TEST(MemoryStreamTest, WriteAppendsWithoutMovingThePosition) {
    MemoryStream stream = StreamOf("abcde");
    ASSERT_TRUE(stream.Seek(2, SeekOrigin::Begin));
    EXPECT_EQ(stream.Write("xyz", 3), 3);
    EXPECT_EQ(BytesOf(stream), "abcdexyz");
    EXPECT_EQ(stream.Tell(), 2u);
}

TEST(MemoryStreamTest, AMoveHandsOverTheBytesAndReadsFromTheStart) {
    MemoryStream source = StreamOf("abcdef");
    ASSERT_TRUE(source.Seek(4, SeekOrigin::Begin));
    const uint8_t* bytes = source.Data();
    MemoryStream moved(std::move(source));
    EXPECT_EQ(moved.Data(), bytes);
    EXPECT_EQ(moved.Tell(), 0u);
    EXPECT_EQ(source.Length(), 0u);
    EXPECT_EQ(source.Tell(), 0u);
    EXPECT_EQ(source.BytesLeft(), 0u);

    MemoryStream assigned = StreamOf("xyz");
    ASSERT_TRUE(assigned.Seek(2, SeekOrigin::Begin));
    assigned = std::move(moved);
    EXPECT_EQ(assigned.Tell(), 0u);
    EXPECT_EQ(BytesOf(assigned), "abcdef");
    EXPECT_EQ(moved.Length(), 0u);
}

TEST(MemoryStreamTest, ResizeZeroFillsAndPullsThePositionBack) {
    MemoryStream stream = StreamOf("abcdef");
    ASSERT_TRUE(stream.Seek(5, SeekOrigin::Begin));
    stream.Resize(3);
    EXPECT_EQ(stream.Tell(), 2u);
    stream.Resize(5);
    EXPECT_EQ(BytesOf(stream), std::string("abc\0\0", 5));
    stream.Resize(0);
    EXPECT_EQ(stream.Tell(), 0u);
}

TEST(MemoryStreamTest, BinaryStringsEndAtNulAndNeverOverrun) {
    MemoryStream stream = StreamOf(LengthPrefixed(std::string("ab\0cd", 5)) + LengthPrefixed(""));
    std::string text = "old";
    stream.ReadString(text);
    EXPECT_TRUE(stream.IsGood());
    EXPECT_EQ(text, "ab");
    stream.ReadString(text);
    EXPECT_TRUE(stream.IsGood());
    EXPECT_EQ(text, "");

    // A length beyond the bytes left is refused, whatever it claims.
    for (uint32_t claimed : {4u, 0xFFFFFFF0u}) {
        MemoryStream corrupt = StreamOf(UInt32Bytes(claimed) + "abc");
        text = "old";
        corrupt.ReadString(text);
        EXPECT_FALSE(corrupt.IsGood());
        EXPECT_EQ(text, "old");
    }
}

TEST(MemoryStreamTest, TextModeReadsLinesAndSkipsIntegers) {
    MemoryStream stream = StreamOf("one\r\ntwo\nlast");
    stream.SetTextMode(true);
    uint32_t value = 7;
    stream.ReadUInt32(value);
    EXPECT_EQ(value, 7u);
    EXPECT_EQ(stream.Tell(), 0u);

    std::string line;
    for (const char* expected : {"one\n", "two\n", "last"}) {
        stream.ReadString(line);
        EXPECT_TRUE(stream.IsGood());
        EXPECT_EQ(line, expected);
    }
    stream.ReadString(line);
    EXPECT_FALSE(stream.IsGood());
    EXPECT_EQ(line, "");
}

TEST(MemoryStreamTest, LoadsRegularFilesOnly) {
    TemporaryDirectory directory;
    const std::string path = directory.path + "/file.bin";
    WriteTestFile(path, std::string("x\0y", 3));
    MemoryStream stream = StreamOf("stale");
    ASSERT_TRUE(stream.LoadFromFile(path));
    EXPECT_EQ(BytesOf(stream), std::string("x\0y", 3));
    EXPECT_EQ(stream.Tell(), 0u);

    EXPECT_FALSE(stream.LoadFromFile(directory.path));
    EXPECT_EQ(stream.Length(), 0u);
    EXPECT_FALSE(stream.LoadFromFile(directory.path + "/missing"));
}
