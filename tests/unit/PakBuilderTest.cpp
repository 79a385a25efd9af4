#include "engine/files/PakBuilder.h"

#include "engine/files/PakArchive.h"

#include "PakTestData.h"
#include "TemporaryDirectory.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <random>
#include <vector>

namespace {

// Builds "data" into "out.dat" inside a temporary working directory.
class PakBuilderTest : public ::testing::Test {
protected:
    bool Build(const std::string& output = "out.dat") {
        testing::internal::CaptureStdout();
        const bool built = BuildPak(entries, "data", output);
        console = testing::internal::GetCapturedStdout();
        return built;
    }

    TemporaryDirectory directory;
    WorkingDirectoryScope workingDirectory{directory.path};
    PakBuildEntries entries;
    std::string console;
};

std::string RandomBytes(size_t count) {
    std::mt19937 random(42);
    std::string bytes(count, '\0');
    for (char& c : bytes)
        c = static_cast<char>(random());
    return bytes;
}

}

TEST_F(PakBuilderTest, ArchiveGivesBackEveryFile) {
    const std::map<std::string, std::string> files = {
        {"data/a.txt", "alpha"},
        {"data/.hidden", "hidden"},
        {"data/empty.bin", ""},
        {"data/Textures/Logo.TGA", RandomBytes(70000)},
        {"data/shaders/base/basic2d.vs", std::string(40000, 'v')},
    };
    for (const auto& [path, contents] : files)
        WriteTestFile(path, contents);
    std::filesystem::create_directories("data/empty/dir");
    std::filesystem::create_symlink("a.txt", "data/link.txt");
    entries.push_back(std::make_unique<PakBuildEntry>());  // stale, must go

    ASSERT_TRUE(Build()) << console;
    ASSERT_EQ(entries.size(), files.size() + 1);
    uint32_t expectedOffset = 0;
    for (const auto& entry : entries) {
        EXPECT_EQ(entry->offset, expectedOffset) << entry->path;
        expectedOffset += entry->size;
    }
    PakArchive archive;
    ASSERT_TRUE(archive.Open("out.dat"));
    for (const auto& [path, contents] : files) {
        MemoryStream out;
        ASSERT_TRUE(archive.Extract(path, out)) << path;
        EXPECT_EQ(BytesOf(out), contents) << path;
    }
    MemoryStream linked;
    ASSERT_TRUE(archive.Extract("data/link.txt", linked));
    EXPECT_EQ(BytesOf(linked), "alpha");
    EXPECT_TRUE(archive.Contains("data/textures/logo.tga"));
    EXPECT_NE(console.find("\ndata/Textures/Logo.TGA\n"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists("out.dat.tmp"));
}

TEST_F(PakBuilderTest, ASaveCaughtHalfWayLeavesItsTemporaryFileOut) {
    WriteTestFile("data/sync/glow.track", std::string(4, '\0'));
    WriteTestFile("data/sync/.glow.track.tmp", "half");
    ASSERT_TRUE(Build()) << console;
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0]->path, "data/sync/glow.track");
    EXPECT_EQ(console.find(".tmp"), std::string::npos) << console;
}

TEST_F(PakBuilderTest, PrintsItsProgress) {
    WriteTestFile("data/a.txt", "alpha");
    ASSERT_TRUE(Build());
    EXPECT_EQ(console,
              "PAK BUILDER\n\nEnumerating files...\ndata/a.txt\n\nCompressing files...\ndata/a.txt\n\n"
              "Building file list...\nCompressing file list...\nBuilding header...\nWriting pak file...\n\n"
              "Finished.\n");
}

TEST_F(PakBuilderTest, EmptyOrMissingTreeGivesAnEmptyArchive) {
    for (bool makeDirectory : {false, true}) {
        if (makeDirectory)
            std::filesystem::create_directory("data");
        ASSERT_TRUE(Build());
        EXPECT_TRUE(entries.empty());
        const std::string bytes = ReadTestFile("out.dat");
        const std::string packedList = bytes.substr(9);
        EXPECT_EQ(bytes, PakFromList(packedList, ""));
        PakArchive archive;
        EXPECT_TRUE(archive.Open("out.dat"));
    }
}

TEST_F(PakBuilderTest, FailedBuildKeepsTheOldArchive) {
    WriteTestFile("out.dat", "old archive");
    WriteTestFile("data/a.txt", "alpha");
    std::filesystem::create_symlink("nowhere", "data/dangling");
    std::filesystem::create_directory_symlink(".", "data/loop");

    EXPECT_FALSE(Build());
    EXPECT_NE(console.find("WARNING: skipping 'data/loop'"), std::string::npos);
    EXPECT_NE(console.find("ERROR: ReadFileContents() failed.\n"), std::string::npos);
    EXPECT_EQ(console.find("Writing pak file"), std::string::npos);
    EXPECT_EQ(ReadTestFile("out.dat"), "old archive");
    EXPECT_FALSE(std::filesystem::exists("out.dat.tmp"));
}

// Links to a directory are walked as that directory, links to a file packed
// as that file, each under the path of the link.
TEST_F(PakBuilderTest, ATreeAssembledFromLinksIsPackedThroughThem) {
    WriteTestFile("store/shaders/base/basic2d.vs", "vertex");
    WriteTestFile("store/cards/logo.tga", RandomBytes(5000));
    WriteTestFile("store/data/a.txt", "alpha");
    std::filesystem::create_directory_symlink("store/data", "data");
    std::filesystem::create_directory_symlink("../../store/shaders", "store/data/shaders");
    std::filesystem::create_directories("store/data/textures");
    std::filesystem::create_symlink("../../cards/logo.tga", "store/data/textures/logo.tga");

    ASSERT_TRUE(Build()) << console;
    EXPECT_EQ(console.find("WARNING"), std::string::npos) << console;
    std::map<std::string, std::string> packed;
    PakArchive archive;
    ASSERT_TRUE(archive.Open("out.dat"));
    for (const auto& entry : entries) {
        MemoryStream out;
        ASSERT_TRUE(archive.Extract(entry->path, out)) << entry->path;
        packed[entry->path] = BytesOf(out);
    }
    EXPECT_EQ(packed, (std::map<std::string, std::string>{
                          {"data/a.txt", "alpha"},
                          {"data/shaders/base/basic2d.vs", "vertex"},
                          {"data/textures/logo.tga", ReadTestFile("store/cards/logo.tga")},
                      }));
}

// Only a way back into the walk is cut: a second way into a directory that
// is not being walked is followed like the first.
TEST_F(PakBuilderTest, ALinkBackIntoTheWalkIsSkippedWithAWarning) {
    WriteTestFile("data/a.txt", "alpha");
    WriteTestFile("data/x/b.txt", "beta");
    std::filesystem::create_directory_symlink("..", "data/x/up");
    std::filesystem::create_directory_symlink(".", "data/x/self");
    std::filesystem::create_directory_symlink("x", "data/y");

    ASSERT_TRUE(Build()) << console;
    std::vector<std::string> paths;
    for (const auto& entry : entries)
        paths.push_back(entry->path);
    std::sort(paths.begin(), paths.end());
    EXPECT_EQ(paths, (std::vector<std::string>{"data/a.txt", "data/x/b.txt", "data/y/b.txt"}));
    for (const char* link : {"data/x/up", "data/x/self", "data/y/up", "data/y/self"})
        EXPECT_NE(console.find(std::string("WARNING: skipping '") + link +
                               "', a link back into a directory being walked.\n"),
                  std::string::npos)
            << link << "\n"
            << console;
    PakArchive archive;
    EXPECT_TRUE(archive.Open("out.dat"));
}

TEST_F(PakBuilderTest, UncreatableOutputFailsQuietly) {
    WriteTestFile("data/a.txt", "alpha");
    EXPECT_FALSE(Build("no/such/dir/out.dat"));
    EXPECT_EQ(console.substr(console.rfind("Compressing file list")),
              "Compressing file list...\nBuilding header...\nWriting pak file...\n");
}

TEST_F(PakBuilderTest, WriteFailureKeepsTheOldArchive) {
    if (!std::filesystem::exists("/dev/full"))
        GTEST_SKIP() << "needs /dev/full";
    WriteTestFile("out.dat", "old archive");
    WriteTestFile("data/a.txt", RandomBytes(100000));
    // The temporary file lands on a device that refuses every byte.
    std::filesystem::create_symlink("/dev/full", "out.dat.tmp");

    EXPECT_FALSE(Build());
    EXPECT_NE(console.find("Writing pak file...\nERROR: fwrite() failed.\n"), std::string::npos);
    EXPECT_EQ(ReadTestFile("out.dat"), "old archive");
    EXPECT_FALSE(std::filesystem::is_symlink("out.dat.tmp"));
}
