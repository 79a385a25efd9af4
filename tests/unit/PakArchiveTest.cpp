#include "engine/files/PakArchive.h"

#include "PakTestData.h"
#include "TemporaryDirectory.h"

#include <gtest/gtest.h>
#include <zlib.h>

namespace {

class PakArchiveTest : public ::testing::Test {
protected:
    bool OpenBytes(const std::string& bytes) {
        WriteTestFile(path, bytes);
        return archive.Open(path);
    }
    std::string ExtractText(const std::string& name) {
        MemoryStream out;
        return archive.Extract(name, out) ? BytesOf(out) : "<failed>";
    }

    TemporaryDirectory directory;
    std::string path = directory.path + "/test.dat";
    PakArchive archive;
};

std::string ZlibWrapped(const std::string& bytes) {
    std::string packed(compressBound(static_cast<uLong>(bytes.size())), '\0');
    uLongf size = static_cast<uLongf>(packed.size());
    compress(reinterpret_cast<Bytef*>(&packed[0]), &size, reinterpret_cast<const Bytef*>(bytes.data()),
             static_cast<uLong>(bytes.size()));
    packed.resize(size);
    return packed;
}

}

TEST_F(PakArchiveTest, EmptyListOpensAndHoldsNothing) {
    ASSERT_TRUE(OpenBytes(PakOf({})));
    EXPECT_FALSE(archive.Contains("data"));
    MemoryStream out;
    EXPECT_FALSE(archive.Extract("data/a.txt", out));
}

TEST_F(PakArchiveTest, LooksUpTheLowercasedRequest) {
    ASSERT_TRUE(OpenBytes(PakOf({{"data/shaders/x.vs", "lower"}, {"data/Upper.txt", "never"}})));
    EXPECT_TRUE(archive.Contains("data/Shaders/X.vs"));
    EXPECT_EQ(ExtractText("DATA/SHADERS/X.VS"), "lower");
    EXPECT_FALSE(archive.Contains("data\\shaders\\x.vs"));
    EXPECT_FALSE(archive.Contains("data/Upper.txt"));
    EXPECT_FALSE(archive.Contains("data/upper.txt"));
}

TEST_F(PakArchiveTest, LaterDuplicateWins) {
    ASSERT_TRUE(OpenBytes(PakOf({{"data/a", "first"}, {"data/a", "second"}})));
    EXPECT_EQ(ExtractText("data/a"), "second");
}

TEST_F(PakArchiveTest, ReadsZlibHeadersAndStreamsOfManyChunks) {
    const std::string large(100000, 'q');
    const std::string exactChunk(0x4000, 'c');
    ASSERT_TRUE(OpenBytes(PakOfStreams(
        {{"data/z", ZlibWrapped("zlib")}, {"data/large", Gzip(large)}, {"data/chunk", Gzip(exactChunk)}})));
    EXPECT_EQ(ExtractText("data/z"), "zlib");
    EXPECT_EQ(ExtractText("data/large"), large);
    EXPECT_EQ(ExtractText("data/chunk"), exactChunk);
}

TEST_F(PakArchiveTest, RefusesBadHeaders) {
    EXPECT_FALSE(archive.Open(directory.path + "/missing.dat"));
    EXPECT_FALSE(archive.Open(directory.path));
    EXPECT_FALSE(OpenBytes(""));
    EXPECT_FALSE(OpenBytes("ZPPAK"));
    EXPECT_FALSE(OpenBytes(std::string("ZPPAK\0\0\0", 8)));
    std::string wrongMagic = PakOf({});
    wrongMagic[0] = 'X';
    EXPECT_FALSE(OpenBytes(wrongMagic));
}

TEST_F(PakArchiveTest, RefusesDamagedOrShortFileLists) {
    const std::string list = UInt32Bytes(1) + UInt32Bytes(6) + "data/a" + UInt32Bytes(0) + UInt32Bytes(0);
    ASSERT_TRUE(OpenBytes(PakFromList(Gzip(list), "")));

    const std::string packed = Gzip(list);
    EXPECT_FALSE(OpenBytes(PakFromList(packed.substr(0, packed.size() - 6), "")));
    std::string corrupt = packed;
    corrupt[12] = static_cast<char>(corrupt[12] ^ 0x55);
    EXPECT_FALSE(OpenBytes(PakFromList(corrupt, "")));
    // A list size beyond the end of the file.
    EXPECT_FALSE(OpenBytes("ZPPAK" + UInt32Bytes(static_cast<uint32_t>(packed.size()) + 1) + packed));
    // Rows that stop short, or a name longer than the list.
    EXPECT_FALSE(OpenBytes(PakFromList(Gzip(list.substr(0, list.size() - 2)), "")));
    EXPECT_FALSE(OpenBytes(PakFromList(Gzip(UInt32Bytes(1) + UInt32Bytes(0xFFFFFF00u) + "data/a"), "")));
}

TEST_F(PakArchiveTest, RefusesEntriesOutsideTheDataArea) {
    const std::string stream = Gzip("contents");
    const auto pakWithRow = [&](uint32_t offset, uint32_t size) {
        const std::string list = UInt32Bytes(1) + UInt32Bytes(1) + "a" + UInt32Bytes(offset) + UInt32Bytes(size);
        return PakFromList(Gzip(list), stream);
    };
    const uint32_t size = static_cast<uint32_t>(stream.size());
    ASSERT_TRUE(OpenBytes(pakWithRow(0, size)));
    EXPECT_FALSE(OpenBytes(pakWithRow(1, size)));
    EXPECT_FALSE(OpenBytes(pakWithRow(0, size + 1)));
    EXPECT_FALSE(OpenBytes(pakWithRow(0xFFFFFFFFu, 2)));
}

TEST_F(PakArchiveTest, DamagedEntryStreamsFailToExtract) {
    const std::string good = Gzip(std::string(50000, 'g') + "tail");
    std::string corrupt = good;
    corrupt[corrupt.size() / 2] = static_cast<char>(corrupt[corrupt.size() / 2] ^ 0xFF);
    std::string badChecksum = good;
    badChecksum[badChecksum.size() - 6] = static_cast<char>(badChecksum[badChecksum.size() - 6] ^ 0x01);
    ASSERT_TRUE(OpenBytes(PakOfStreams({{"data/cut", good.substr(0, good.size() - 10)},
                                        {"data/corrupt", corrupt},
                                        {"data/checksum", badChecksum},
                                        {"data/empty", ""},
                                        {"data/good", good}})));
    for (const char* name : {"data/cut", "data/corrupt", "data/checksum", "data/empty"}) {
        MemoryStream out;
        EXPECT_FALSE(archive.Extract(name, out)) << name;
    }
    EXPECT_EQ(ExtractText("data/good").size(), 50004u);
}

TEST(PakArchiveLimit, NoInflationProducesMoreThanTheCallersLimit) {
    constexpr uint32_t kLimit = 64 * 1024;
    const std::string rows = PakOf({{"data/fits", std::string(kLimit, 'f')}, {"data/over", std::string(kLimit + 1, 'o')}});
    MemoryStream bytes;
    bytes.Write(rows.data(), static_cast<uint32_t>(rows.size()));
    PakArchive archive(kLimit);
    ASSERT_TRUE(archive.OpenFromMemory(bytes));
    MemoryStream fits;
    EXPECT_TRUE(archive.Extract("data/fits", fits));
    EXPECT_EQ(fits.Length(), kLimit);
    MemoryStream over;
    EXPECT_FALSE(archive.Extract("data/over", over));
    EXPECT_LE(over.Length(), kLimit);

    // The file list is inflated under the same limit.
    std::vector<std::pair<std::string, std::string>> many;
    for (int i = 0; i < 2000; ++i)
        many.emplace_back("data/a-long-name-that-fills-the-list-" + std::to_string(i), "");
    const std::string bigList = PakOf(many);
    MemoryStream listBytes;
    listBytes.Write(bigList.data(), static_cast<uint32_t>(bigList.size()));
    EXPECT_FALSE(PakArchive(kLimit).OpenFromMemory(listBytes));
    EXPECT_TRUE(PakArchive().OpenFromMemory(listBytes));
}
