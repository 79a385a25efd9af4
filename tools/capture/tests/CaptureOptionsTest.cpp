#include "tools/capture/CaptureOptions.h"

#include <gtest/gtest.h>

namespace {

bool Parse(const std::vector<std::string>& arguments, CaptureOptions& options, std::string& error) {
    return ParseCaptureOptions(arguments, options, error);
}

TEST(CaptureOptions, TimesAreSortedWithoutRepeatsAndTheDefaultsHold) {
    CaptureOptions options;
    std::string error;
    ASSERT_TRUE(Parse({"--out", "shots", "--at", "2.5,0,2.5,10"}, options, error)) << error;
    EXPECT_EQ(options.mode, CaptureOptions::Mode::Times);
    EXPECT_EQ(options.times, (std::vector<double>{0.0, 2.5, 10.0}));
    EXPECT_EQ(options.width, 1024);
    EXPECT_EQ(options.height, 768);
    EXPECT_EQ(options.framesPerSecond, 60);
}

TEST(CaptureOptions, SpanSizeRateVideoAndStats) {
    CaptureOptions options;
    std::string error;
    ASSERT_TRUE(Parse({"--from", "1", "--to", "3.5", "--size", "320x240", "--fps", "30", "--out", "o", "--video",
                       "show.mp4", "--stats"},
                      options, error))
        << error;
    EXPECT_EQ(options.mode, CaptureOptions::Mode::Span);
    EXPECT_DOUBLE_EQ(options.from, 1.0);
    EXPECT_DOUBLE_EQ(options.to, 3.5);
    EXPECT_EQ(options.width, 320);
    EXPECT_EQ(options.height, 240);
    EXPECT_EQ(options.framesPerSecond, 30);
    EXPECT_EQ(options.videoFile, "show.mp4");
    EXPECT_TRUE(options.printStats);
    EXPECT_FALSE(options.pipeFrames);
}

TEST(CaptureOptions, PipedVideoOfTheWholeShow) {
    CaptureOptions options;
    std::string error;
    ASSERT_TRUE(Parse({"--out", "o", "--all", "--pipe", "--video", "show.mp4"}, options, error)) << error;
    EXPECT_EQ(options.mode, CaptureOptions::Mode::WholeShow);
    EXPECT_TRUE(options.pipeFrames);
}

TEST(CaptureOptions, RefusesWhatMakesNoCapture) {
    const std::vector<std::vector<std::string>> refused = {
        {"--at", "1"},                                  // no --out
        {"--out", "o"},                                 // no times
        {"--out", "o", "--at", "1", "--all"},           // two modes
        {"--out", "o", "--from", "1"},                  // half a span
        {"--out", "o", "--from", "3", "--to", "1"},     // backwards
        {"--out", "o", "--at", "1,,2"},                 // empty time
        {"--out", "o", "--at", "-1"},                   // before the show
        {"--out", "o", "--at", "nan"},                  // not a time
        {"--out", "o", "--all", "--size", "320"},       // no height
        {"--out", "o", "--all", "--size", "0x10"},      // empty picture
        {"--out", "o", "--all", "--fps", "2.5"},        // not whole
        {"--out", "o", "--all", "--fps", "0"},          // no step
        {"--out", "o", "--at", "1", "--video", "v"},    // a video of stills
        {"--out", "o", "--all", "--pipe"},              // a pipe to no video
        {"--out", "o", "--at", "1", "--pipe"},          // a pipe of stills
        {"--out", "o", "--all", "--frobnicate"},        // unknown
        {"--out", "o", "--all", "stray"},               // unknown, last
        {"--out", "o", "--all", "--fps"},               // missing value
    };
    for (const std::vector<std::string>& arguments : refused) {
        CaptureOptions options;
        std::string error;
        EXPECT_FALSE(Parse(arguments, options, error)) << arguments.back();
        EXPECT_FALSE(error.empty()) << arguments.back();
    }
}

}
