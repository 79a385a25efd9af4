#ifdef _WIN32

#include "engine/platform/DirectoryListing.h"
#include "tests/unit/Win32ScratchDirectory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace {

const platform::DirectoryEntry* Find(const std::vector<platform::DirectoryEntry>& entries, const std::string& name) {
    auto found = std::find_if(entries.begin(), entries.end(),
                              [&name](const platform::DirectoryEntry& entry) { return entry.name == name; });
    return found == entries.end() ? nullptr : &*found;
}

TEST(Win32DirectoryListing, ListsFilesWithTheirSizesAndSubdirectories) {
    Win32ScratchDirectory scratch;
    scratch.Write("colored.fs", "void main() {}\n");
    std::filesystem::create_directory(scratch.File("base"));
    for (const std::string& directory : {scratch.path, scratch.path + "\\", scratch.path + "/"}) {
        std::vector<platform::DirectoryEntry> entries{{"stale", true, 1}};
        ASSERT_TRUE(platform::ListDirectory(directory, entries)) << directory;
        EXPECT_EQ(entries.size(), 4u) << directory;
        const platform::DirectoryEntry* file = Find(entries, "colored.fs");
        ASSERT_NE(file, nullptr);
        EXPECT_FALSE(file->isDirectory);
        EXPECT_EQ(file->size, 15u);
        const platform::DirectoryEntry* subdirectory = Find(entries, "base");
        ASSERT_NE(subdirectory, nullptr);
        EXPECT_TRUE(subdirectory->isDirectory);
        EXPECT_NE(Find(entries, "."), nullptr);
        EXPECT_NE(Find(entries, ".."), nullptr);
    }
}

TEST(Win32DirectoryListing, AMissingDirectoryOrAFileCannotBeListed) {
    Win32ScratchDirectory scratch;
    scratch.Write("readme.txt", "x");
    std::vector<platform::DirectoryEntry> entries{{"stale", false, 0}};
    EXPECT_FALSE(platform::ListDirectory(scratch.File("missing"), entries));
    EXPECT_TRUE(entries.empty());
    EXPECT_FALSE(platform::ListDirectory(scratch.File("readme.txt"), entries));
}

TEST(Win32DirectoryListing, ReplaceFileTakesThePlaceOfAnExistingTarget) {
    Win32ScratchDirectory scratch;
    scratch.Write("zplumenweaver.dat", "old archive");
    scratch.Write("zplumenweaver.dat.tmp", "new archive");
    ASSERT_TRUE(platform::ReplaceFile(scratch.File("zplumenweaver.dat.tmp"), scratch.File("zplumenweaver.dat")));
    EXPECT_EQ(scratch.Read("zplumenweaver.dat"), "new archive");
    EXPECT_FALSE(std::filesystem::exists(scratch.File("zplumenweaver.dat.tmp")));
}

TEST(Win32DirectoryListing, ReplaceFileWithoutASourceKeepsTheTarget) {
    Win32ScratchDirectory scratch;
    scratch.Write("zplumenweaver.dat", "old archive");
    EXPECT_FALSE(platform::ReplaceFile(scratch.File("missing.tmp"), scratch.File("zplumenweaver.dat")));
    EXPECT_EQ(scratch.Read("zplumenweaver.dat"), "old archive");
}

// The pak builder's guard against walking in circles rests on these
// identities.
TEST(Win32DirectoryListing, DescribeTargetTellsFilesAndDirectoriesApartByIdentity) {
    Win32ScratchDirectory scratch;
    scratch.Write("colored.fs", "void main() {}\n");
    scratch.Write("basic.vs", "x");
    std::filesystem::create_directory(scratch.File("base"));
    platform::PathTarget file;
    ASSERT_TRUE(platform::DescribeTarget(scratch.File("colored.fs"), file));
    EXPECT_FALSE(file.isDirectory);
    EXPECT_EQ(file.size, 15u);
    platform::PathTarget sameFile;
    ASSERT_TRUE(platform::DescribeTarget(scratch.path + "/base/../colored.fs", sameFile));
    EXPECT_EQ(sameFile.volume, file.volume);
    EXPECT_EQ(sameFile.fileId, file.fileId);
    platform::PathTarget otherFile;
    ASSERT_TRUE(platform::DescribeTarget(scratch.File("basic.vs"), otherFile));
    EXPECT_NE(otherFile.fileId, file.fileId);
    platform::PathTarget directory;
    ASSERT_TRUE(platform::DescribeTarget(scratch.File("base"), directory));
    EXPECT_TRUE(directory.isDirectory);
    EXPECT_NE(directory.fileId, file.fileId);
    EXPECT_FALSE(platform::DescribeTarget(scratch.File("missing"), directory));

    std::vector<platform::DirectoryEntry> entries;
    ASSERT_TRUE(platform::ListDirectory(scratch.path, entries));
    for (const platform::DirectoryEntry& entry : entries)
        EXPECT_FALSE(entry.isLink) << entry.name;
}

TEST(Win32DirectoryListing, OnlyExistingFilesAreRegularFiles) {
    Win32ScratchDirectory scratch;
    scratch.Write("readme.txt", "x");
    EXPECT_TRUE(platform::IsRegularFile(scratch.File("readme.txt")));
    EXPECT_FALSE(platform::IsRegularFile(scratch.path));
    EXPECT_FALSE(platform::IsRegularFile(scratch.File("missing.txt")));
}

}

#endif
