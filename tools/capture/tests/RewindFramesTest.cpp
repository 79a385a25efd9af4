// A show rewound to a moment, from wherever it stood, draws what a straight
// run draws there: the golden frames again, reached by seeking about the
// show in no particular order, backwards too. Needs a display.
#include "engine/core/AppSettings.h"
#include "engine/core/CrtRandom.h"
#include "engine/core/EntryPoint.h"
#include "engine/render/Display.h"
#include "engine/render/GLFunctions.h"
#include "tools/capture/CaptureDemo.h"
#include "tools/capture/CaptureRun.h"
#include "tools/capture/CaptureSchedule.h"
#include "tools/shared/FrameGrab.h"
#include "tools/capture/PictureDifference.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

constexpr double kStep = 1.0 / 60.0;

// One frame of the show with the clock at `time`, read back.
bool DrawAt(CaptureDemo& demo, double time, RgbPicture& frame) {
    demo.SetShowTime(time);
    demo.Update();
    demo.GetDisplay()->BeginFrame();
    if (!demo.Frame())
        return false;
    gl.glFinish();
    GrabFrame(demo.GetSettings()->width, demo.GetSettings()->height, frame);
    demo.GetDisplay()->EndFrame();
    return true;
}

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
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display)
        GTEST_SKIP() << "needs a display";
    std::filesystem::current_path(ZP_SOURCE_DIR);
    AppSettings settings;
    settings.width = 320;
    settings.height = 240;
    settings.fullscreen = false;
    settings.vsync = false;
    settings.music = false;
    Srand(Demo::kRandomSeed);
    CaptureDemo demo;
    const bool started = demo.Init(&settings) && Precalculate(demo);
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
        if (!DrawAt(demo, time, frame)) {
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
        EXPECT_TRUE(DrawAt(demo, 60.0, frame) && DrawAt(demo, 61.0, later));
        EXPECT_EQ(frame.rgb, later.rgb);
        EXPECT_TRUE(AgainstGolden(60.0, later).WithinTolerance());
        demo.SetPaused(false);
    }
    ShutdownApplication(demo);
}
