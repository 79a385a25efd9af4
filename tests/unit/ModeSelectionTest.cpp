#include "engine/render/ModeSelection.h"
#include "tests/unit/TestEngine.h"

#include <gtest/gtest.h>

namespace {

using platform::ClassicPixelFormatRecord;
using platform::DisplaySettingsRecord;
using platform::ExtendedPixelFormatRecord;
using platform::PixelFormatProbe;

constexpr uint32_t kGoodFlags = platform::kFormatSupportOpenGL | platform::kFormatDrawToWindow |
                                platform::kFormatDoubleBuffer;

DisplayMode Mode(uint32_t w, uint32_t h, uint32_t color, uint32_t depth, uint32_t stencil, uint32_t refresh) {
    DisplayMode mode;
    mode.width = w;
    mode.height = h;
    mode.colorBits = color;
    mode.depthBits = depth;
    mode.stencilBits = stencil;
    mode.refreshRate = refresh;
    return mode;
}

TEST(ModeSelection, ExtendedFormatsNeedRgbaAndEnoughBitsAndAreUnique) {
    PixelFormatProbe probe;
    probe.extended = true;
    probe.extendedFormats = {{true, 32, 24, 8}, {true, 32, 24, 8}, {false, 32, 24, 8},
                             {true, 14, 24, 0}, {true, 32, 15, 0}, {true, 16, 16, 0}};
    std::vector<DisplayMode> candidates = CollectPixelFormatCandidates(probe);
    ASSERT_EQ(candidates.size(), 2u);
    EXPECT_EQ(candidates[0], Mode(0, 0, 32, 24, 8, 0));
    EXPECT_TRUE(candidates[0].fullscreen);
    EXPECT_EQ(candidates[1], Mode(0, 0, 16, 16, 0, 0));
}

TEST(ModeSelection, ClassicPathExaminesEveryFormatUpToTheLast) {
    PixelFormatProbe probe;
    probe.classicFormats = {{kGoodFlags & ~platform::kFormatDoubleBuffer, 32, 24, 8},
                            {kGoodFlags, 24, 16, 0},
                            {kGoodFlags, 32, 32, 0}};
    std::vector<DisplayMode> candidates = CollectPixelFormatCandidates(probe);
    ASSERT_EQ(candidates.size(), 2u);
    EXPECT_EQ(candidates[0], Mode(0, 0, 24, 16, 0, 0));
    EXPECT_EQ(candidates[1], Mode(0, 0, 32, 32, 0, 0));  // format n itself
}

TEST(ModeSelection, ModesPairSettingsWithCandidatesOfTheSameDepthWithoutDuplicates) {
    TestEngine engine;
    std::vector<DisplayMode> candidates{Mode(0, 0, 32, 24, 8, 0), Mode(0, 0, 32, 16, 0, 0), Mode(0, 0, 16, 16, 0, 0)};
    std::vector<DisplaySettingsRecord> settings{
        {1024, 768, 32, 60}, {1024, 768, 32, 60}, {800, 600, 16, 75}, {639, 480, 32, 60}, {640, 399, 32, 60},
        {640, 480, 8, 60},   {640, 400, 32, 0}};
    std::vector<DisplayMode> modes;
    BuildModeList(candidates, settings, "DISPLAY1", modes);
    std::vector<DisplayMode> expected{Mode(1024, 768, 32, 24, 8, 60), Mode(1024, 768, 32, 16, 0, 60),
                                      Mode(800, 600, 16, 16, 0, 75), Mode(640, 400, 32, 24, 8, 0),
                                      Mode(640, 400, 32, 16, 0, 0)};
    EXPECT_EQ(modes, expected);
    EXPECT_TRUE(engine.sink.lines.empty());
}

TEST(ModeSelection, NothingUsableGivesTheWindowedFallbackAndNamesTheDevice) {
    TestEngine engine;
    std::vector<DisplayMode> modes{Mode(1, 1, 1, 1, 1, 1)};
    BuildModeList({Mode(0, 0, 32, 24, 0, 0)}, {{320, 200, 32, 60}, {1024, 768, 24, 60}}, "\\\\.\\DISPLAY3", modes);
    DisplayMode fallback = Mode(640, 480, 16, 16, 0, 0);
    fallback.fullscreen = false;
    EXPECT_EQ(modes, std::vector<DisplayMode>{fallback});
    ASSERT_EQ(engine.sink.Texts().size(), 1u);
    EXPECT_EQ(engine.sink.Texts()[0], "Cannot enumerate resolutions for device \\\\.\\DISPLAY3, adding default fallback.");
    EXPECT_EQ(engine.sink.levels[0], LOG_SYSTEM);
}

}
