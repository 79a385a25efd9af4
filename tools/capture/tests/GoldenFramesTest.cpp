#include "tools/capture/CaptureSchedule.h"
#include "tools/shared/FrameGrab.h"
#include "tools/capture/PictureDifference.h"
#include "tools/shared/PngFile.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <algorithm>
#include <filesystem>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace {

// Every scene, box grid variant, title card and envelope ramp of the show,
// one frame each, small enough to capture in a test run.
const double kTimes[] = {
    1.5,    // mesh light fading in
    8.6,    // the presenting card over the mesh
    11.3,   // the event card
    17.9,   // the title card
    21.85,  // flash into the first cut
    30.0,   // spheres
    48.0,   // box grid 1
    60.0,   // box grid 0
    66.8,   // cubes, flash out of the cut
    80.0,   // cubes
    129.5,  // box grid 3
    146.0,  // box grid 2 fading out
    149.5,  // the closing black
};
const char* const kSize = "320x240";

namespace fs = std::filesystem;

// ZP_GOLDEN_TIMES keeps only some of the times; ZP_CAPTURE_COMMAND runs
// another capture in place of this build's (another system's build, say).
std::vector<double> ChosenTimes() {
    const char* chosen = std::getenv("ZP_GOLDEN_TIMES");
    if (!chosen)
        return std::vector<double>(std::begin(kTimes), std::end(kTimes));
    std::vector<double> times;
    std::stringstream list(chosen);
    for (std::string item; std::getline(list, item, ',');) {
        const double time = std::atof(item.c_str());
        if (std::find(std::begin(kTimes), std::end(kTimes), time) != std::end(kTimes))
            times.push_back(time);
    }
    return times;
}

std::string CaptureCommand() {
    const char* command = std::getenv("ZP_CAPTURE_COMMAND");
    return command ? command : "'" + std::string(ZPCAPTURE_PATH) + "'";
}

std::string TimeList(const std::vector<double>& times) {
    std::string list;
    for (double time : times)
        list += (list.empty() ? "" : ",") + std::to_string(time);
    return list;
}

class GoldenFrames : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        outDirectory = fs::temp_directory_path() / ("zp-golden-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
        fs::remove_all(outDirectory);
        times = ChosenTimes();
        const std::string command = std::string("cd '") + ZP_SOURCE_DIR + "' && " + CaptureCommand() + " --out '" +
                                    outDirectory.string() + "' --size " + kSize + " --at " + TimeList(times);
        exitCode = times.empty() ? -1 : std::system(command.c_str());
    }
    static void TearDownTestSuite() { fs::remove_all(outDirectory); }

    static inline fs::path outDirectory;
    static inline std::vector<double> times;
    static inline int exitCode = -1;
};

TEST_F(GoldenFrames, EveryFrameMatchesItsReference) {
    ASSERT_FALSE(times.empty()) << "ZP_GOLDEN_TIMES names none of the reference times";
    ASSERT_EQ(exitCode, 0) << "the capture failed: " << CaptureCommand();
    const bool renew = std::getenv("ZP_RENEW_GOLDEN") != nullptr;
    for (double time : times) {
        const std::string name = FrameFileName(time);
        const fs::path reference = fs::path(ZP_GOLDEN_DIR) / name;
        if (renew) {
            fs::create_directories(ZP_GOLDEN_DIR);
            fs::copy_file(outDirectory / name, reference, fs::copy_options::overwrite_existing);
            continue;
        }
        RgbPicture captured, expected;
        std::string error;
        ASSERT_TRUE(ReadPngFile((outDirectory / name).string(), captured, error)) << error;
        ASSERT_TRUE(ReadPngFile(reference.string(), expected, error))
            << error << "; renew the references on purpose with ZP_RENEW_GOLDEN=1";
        ASSERT_EQ(captured.width, expected.width) << name;
        ASSERT_EQ(captured.height, expected.height) << name;
        const PictureDifference difference = ComparePictures(captured, expected);
        EXPECT_TRUE(difference.WithinTolerance())
            << name << ": " << difference.changed << " pixels changed, by up to " << difference.largest;
    }
}

}
