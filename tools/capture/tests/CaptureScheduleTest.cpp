#include "tools/capture/CaptureSchedule.h"
#include "tools/shared/FrameGrab.h"

#include <gtest/gtest.h>

namespace {

std::vector<CaptureFrame> AllFrames(const CaptureOptions& options, double showEnd = 100.0) {
    CaptureSchedule schedule(options, showEnd);
    std::vector<CaptureFrame> frames;
    CaptureFrame frame;
    while (schedule.Next(frame))
        frames.push_back(frame);
    return frames;
}

CaptureOptions Times(std::vector<double> times, int32_t fps) {
    CaptureOptions options;
    options.mode = CaptureOptions::Mode::Times;
    options.times = std::move(times);
    options.framesPerSecond = fps;
    return options;
}

TEST(CaptureSchedule, StepsUpToEachTimeAndKeepsItExactly) {
    const std::vector<CaptureFrame> frames = AllFrames(Times({0.25, 0.5}, 10));
    // Steps at 0, 0.1, 0.2, then 0.25 kept, steps 0.3, 0.4, then 0.5 kept
    // once: it falls on a step.
    const std::vector<double> expected = {0.0, 0.1, 0.2, 0.25, 0.3, 0.4, 0.5};
    ASSERT_EQ(frames.size(), expected.size());
    for (size_t index = 0; index < frames.size(); ++index) {
        EXPECT_NEAR(frames[index].time, expected[index], 1e-12) << index;
        EXPECT_EQ(frames[index].keep, index == 3 || index == 6) << index;
    }
}

TEST(CaptureSchedule, TimeZeroIsTheFirstFrame) {
    const std::vector<CaptureFrame> frames = AllFrames(Times({0.0}, 60));
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_TRUE(frames[0].keep);
    EXPECT_EQ(frames[0].time, 0.0);
}

TEST(CaptureSchedule, SpanKeepsEveryStepInsideItAndStepsDoNotDrift) {
    CaptureOptions options;
    options.mode = CaptureOptions::Mode::Span;
    options.from = 1.0;
    options.to = 2.0;
    options.framesPerSecond = 3;
    const std::vector<CaptureFrame> frames = AllFrames(options);
    ASSERT_EQ(frames.size(), 7u);  // 0, 1/3, 2/3 advanced; 1, 4/3, 5/3, 2 kept
    EXPECT_FALSE(frames[2].keep);
    EXPECT_TRUE(frames[3].keep);
    EXPECT_EQ(frames.back().time, 2.0);

    options.from = 0.0;
    options.to = 150.0;
    options.framesPerSecond = 60;
    const std::vector<CaptureFrame> long_run = AllFrames(options);
    ASSERT_EQ(long_run.size(), 9001u);
    EXPECT_EQ(long_run.back().time, 150.0) << "times come from the step count, not a running sum";
}

TEST(CaptureSchedule, WholeShowRunsToTheShowsEnd) {
    CaptureOptions options;
    options.mode = CaptureOptions::Mode::WholeShow;
    options.framesPerSecond = 2;
    const std::vector<CaptureFrame> frames = AllFrames(options, 1.25);
    ASSERT_EQ(frames.size(), 3u);
    EXPECT_TRUE(frames[0].keep && frames[1].keep && frames[2].keep);
    EXPECT_EQ(frames.back().time, 1.0);
}

TEST(CaptureSchedule, FileNamesAreRoundedMilliseconds) {
    EXPECT_EQ(FrameFileName(2.5), "t0002500.png");
    EXPECT_EQ(FrameFileName(0.0), "t0000000.png");
    EXPECT_EQ(FrameFileName(1.0 / 60), "t0000017.png");
    EXPECT_EQ(FrameFileName(151.114), "t0151114.png");
}

}
