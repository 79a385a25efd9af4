// A show rewound to a moment, from wherever it stood, draws what a straight
// run draws there: the golden frames again, reached by seeking about the
// show in no particular order, backwards too. Needs a display.
#include "engine/core/EntryPoint.h"
#include "tools/capture/CaptureSchedule.h"
#include "tools/capture/PictureDifference.h"
#include "tools/capture/tests/ShowInWindow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr double kStep = 1.0 / 60.0;

PictureDifference AgainstGolden(double time, const RgbPicture& frame) {
    RgbPicture expected;
    std::string error;
    EXPECT_TRUE(ReadPngFile(std::string(ZP_GOLDEN_DIR) + "/" + FrameFileName(time), expected, error)) << error;
    return ComparePictures(frame, expected);
}

// The golden times, visited out of order: later, earlier, the same scene twice.
const double kVisits[] = {80.0, 8.6, 146.0, 30.0, 1.5, 129.5, 60.0, 21.85, 17.9, 66.8, 11.3, 48.0, 149.5};

}

TEST(RewindFrames, EverySeekShowsTheFrameAStraightRunShows) {
    if (!HasDisplay())
        GTEST_SKIP() << "needs a display";
    AppSettings settings;
    CaptureDemo demo;
    const bool started = StartShowInWindow(demo, settings, 320, 240);
    EXPECT_TRUE(started);
    RgbPicture frame;
    std::vector<double> seekMs;
    for (double time : kVisits) {
        if (!started)
            break;
        // The clock reads the moment first; the rewind then counts from it.
        demo.SetShowTime(time);
        const auto started = std::chrono::steady_clock::now();
        demo.RewindTo(time, kStep);
        seekMs.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started).count());
        if (!DrawFrameAt(demo, time, &frame)) {
            ADD_FAILURE() << "the show ended before " << time;
            break;
        }
        const PictureDifference difference = AgainstGolden(time, frame);
        EXPECT_TRUE(difference.WithinTolerance())
            << FrameFileName(time) << ": " << difference.changed << " pixels changed, by up to " << difference.largest;
    }

    if (!seekMs.empty()) {
        std::sort(seekMs.begin(), seekMs.end());
        std::printf("[ figures  ] rewind to a moment: median %.1f ms, worst %.1f ms over %zu seeks\n",
                    seekMs[seekMs.size() / 2], seekMs.back(), seekMs.size());
    }

    // Paused in the box grid, whose pulses draw random numbers every frame:
    // a second later on the clock the frame is still the golden one.
    if (started) {
        demo.SetPaused(true);
        demo.SetShowTime(60.0);
        demo.RewindTo(60.0, kStep);
        RgbPicture later;
        EXPECT_TRUE(DrawFrameAt(demo, 60.0, &frame) && DrawFrameAt(demo, 61.0, &later));
        EXPECT_EQ(frame.rgb, later.rgb);
        EXPECT_TRUE(AgainstGolden(60.0, later).WithinTolerance());
        demo.SetPaused(false);
    }
    ShutdownApplication(demo);
}
