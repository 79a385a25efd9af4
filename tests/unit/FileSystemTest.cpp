#include "engine/files/FileSystem.h"

#include "engine/files/MemoryStream.h"
#include "engine/files/PakArchive.h"

#include "PakTestData.h"
#include "TemporaryDirectory.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace {

// A working directory with loose files and an attached pak.
class FileSystemTest : public ::testing::Test {
protected:
    void SetUp() override {
        WriteTestFile("data/both.txt", "disk");
        WriteTestFile("data/text.txt", std::string("abcd\0efg", 8));
        WriteTestFile("pak.dat", PakOf({{"data/both.txt", "pak"}, {"data/shaders/x.vs", "shader"}, {"data/dir", "in pak"}}));
        std::filesystem::create_directory("data/dir");
        ASSERT_TRUE(pak.Open("pak.dat"));
        files.SetPak(&pak);
    }
    std::string Read(const std::string& path) {
        MemoryStream out;
        return files.ReadFile(path, out) ? BytesOf(out) : "<failed>";
    }

    TemporaryDirectory directory;
    WorkingDirectoryScope workingDirectory{directory.path};
    PakArchive pak;
    FileSystem files;
};

}

TEST_F(FileSystemTest, LooseFilesComeBeforeThePak) {
    EXPECT_EQ(Read("data/both.txt"), "disk");
    files.SetSearchDisk(false);
    EXPECT_EQ(Read("data/both.txt"), "pak");
    files.SetSearchPak(false);
    EXPECT_EQ(Read("data/both.txt"), "<failed>");
}

TEST_F(FileSystemTest, DirectoriesOnDiskAreNoFiles) {
    EXPECT_EQ(Read("data/dir"), "in pak");
    files.SetPak(nullptr);
    EXPECT_EQ(Read("data/dir"), "<failed>");
}

TEST_F(FileSystemTest, ExistsSeesDirectoriesOnlyOnDisk) {
    EXPECT_TRUE(files.Exists("data"));
    EXPECT_TRUE(files.Exists("data/Shaders/X.vs"));
    EXPECT_FALSE(files.Exists("data/missing"));
    files.SetSearchDisk(false);
    EXPECT_FALSE(files.Exists("data"));
    EXPECT_FALSE(files.Exists("data/text.txt"));
    EXPECT_TRUE(files.Exists("data/both.txt"));
}

TEST_F(FileSystemTest, PakLookupsLowercaseButKeepSeparators) {
    EXPECT_EQ(Read("data/Shaders/X.vs"), "shader");
    EXPECT_EQ(Read("data\\shaders\\x.vs"), "<failed>");
}

TEST_F(FileSystemTest, ReadTextFileStopsAtTheFirstNul) {
    std::string text = "untouched";
    ASSERT_TRUE(files.ReadTextFile("data/text.txt", text));
    EXPECT_EQ(text, "abcd");
    text = "untouched";
    EXPECT_FALSE(files.ReadTextFile("data/missing", text));
    EXPECT_EQ(text, "untouched");
}

TEST_F(FileSystemTest, WritesOnlyLooseFiles) {
    MemoryStream data;
    data.Write("w\0x", 3);
    ASSERT_TRUE(files.WriteFile("data/written.bin", data));
    EXPECT_EQ(ReadTestFile("data/written.bin"), std::string("w\0x", 3));
    ASSERT_TRUE(files.WriteFile("data/empty.bin", MemoryStream()));
    EXPECT_EQ(ReadTestFile("data/empty.bin"), "");

    files.SetSearchDisk(false);
    EXPECT_FALSE(files.WriteFile("data/never.bin", data));
    EXPECT_FALSE(std::filesystem::exists("data/never.bin"));
}
