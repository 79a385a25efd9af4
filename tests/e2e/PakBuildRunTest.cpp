#include "e2e/Process.h"
#include "engine/files/MemoryStream.h"
#include "engine/files/PakArchive.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

const std::string kDemo = ZPDEMO_PATH;

struct PakBuildRun : testing::Test {
    PakBuildRun() {
        mkdir((directory / "data").c_str(), 0755);
        mkdir((directory / "data/Shaders").c_str(), 0755);
        mkdir((directory / "data/empty").c_str(), 0755);
        files = {{"data/readme.txt", "first file\n"},
                 {"data/Shaders/Basic2D.vs", std::string(100000, 'v') + "end"},
                 {"data/Shaders/.hidden", std::string("\0\1\2\3", 4)}};
        for (const auto& [path, content] : files)
            WriteFileText(directory / path, content);
        options.workingDirectory = directory.Path();
        options.setEnvironment["ZPDEMO_NO_DIALOGS"] = "1";
        options.unsetEnvironment = {"DISPLAY", "WAYLAND_DISPLAY"};
    }
    std::string Pak() const { return directory / "zplumenweaver.dat"; }

    ScratchDirectory directory;
    std::vector<std::pair<std::string, std::string>> files;
    ProcessOptions options;
};

std::string Extracted(const PakArchive& pak, const std::string& path) {
    MemoryStream out;
    if (!pak.Extract(path, out))
        return "<missing>";
    return std::string(reinterpret_cast<const char*>(out.Data()), out.Length());
}

}

TEST_F(PakBuildRun, WritesAnArchiveThatReadsBackByteForByte) {
    ProcessResult run = RunProcess(kDemo, {"buildpak"}, options);
    ASSERT_EQ(run.exitCode, 0) << run.out;
    EXPECT_EQ(run.out.rfind("PAK BUILDER\n\nEnumerating files...\n", 0), 0u) << run.out;
    EXPECT_NE(run.out.find("data/Shaders/Basic2D.vs\n"), std::string::npos);
    EXPECT_NE(run.out.find("\nBuilding file list...\nCompressing file list...\nBuilding header...\n"
                           "Writing pak file...\n\nFinished.\n"),
              std::string::npos)
        << run.out;
    EXPECT_FALSE(FileExists(directory / "demo.log"));

    PakArchive pak;
    ASSERT_TRUE(pak.Open(Pak()));
    for (const auto& [path, content] : files)
        EXPECT_EQ(Extracted(pak, path), content) << path;
    EXPECT_TRUE(pak.Contains("data/shaders/basic2d.vs"));
}

TEST_F(PakBuildRun, UnreadableFileFailsAndKeepsThePreviousArchive) {
    ASSERT_EQ(RunProcess(kDemo, {"buildpak"}, options).exitCode, 0);
    std::string before = ReadFileText(Pak());
    ASSERT_FALSE(before.empty());

    ASSERT_EQ(symlink("nowhere", (directory / "data/Shaders/dangling.fs").c_str()), 0);
    ProcessResult run = RunProcess(kDemo, {"buildpak"}, options);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.out.find("ERROR: ReadFileContents() failed.\n"), std::string::npos) << run.out;
    EXPECT_EQ(ReadFileText(Pak()), before);
}

TEST_F(PakBuildRun, AnythingBesideTheExactWordRunsTheDemo) {
    ProcessResult run = RunProcess(kDemo, {"buildpak", "now"}, options);
    EXPECT_EQ(run.exitCode, 1);  // the demo, failing at the display
    EXPECT_FALSE(FileExists(Pak()));
    EXPECT_EQ(run.out.find("PAK BUILDER"), std::string::npos);
}
