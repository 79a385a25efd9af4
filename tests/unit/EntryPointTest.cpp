#include "engine/core/AppSettings.h"
#include "engine/core/CrtRandom.h"
#include "engine/core/EntryPoint.h"

#include <gtest/gtest.h>

#include <vector>

TEST(CommandLine, MatchesOnlyTheWholeExactWord) {
    EXPECT_EQ(ParseCommandLine("writelog"), CommandLineMode::DemoWithLog);
    EXPECT_EQ(ParseCommandLine("buildpak"), CommandLineMode::BuildPak);
    for (const char* other : {"", "Writelog", "writelog ", " writelog", "writelog buildpak", "writelo",
                              "buildpak!", "BUILDPAK", "buildpak writelog", "write log"})
        EXPECT_EQ(ParseCommandLine(other), CommandLineMode::Demo) << '"' << other << '"';
}

TEST(AppSettings, DefaultsDescribeTheShow) {
    AppSettings settings;
    DisplayMode mode = settings.GetDisplayMode();
    EXPECT_EQ(mode.width, 1024u);
    EXPECT_EQ(mode.height, 768u);
    EXPECT_TRUE(mode.fullscreen);
    EXPECT_EQ(mode.colorBits, 32u);
    EXPECT_EQ(mode.depthBits, 32u);
    EXPECT_EQ(mode.stencilBits, 0u);
    EXPECT_EQ(mode.refreshRate, 0u);
    EXPECT_TRUE(settings.vsync && settings.postFx && settings.music && settings.useDisk && settings.usePak);
    EXPECT_FALSE(settings.writeLog);
    EXPECT_EQ(settings.startTime, 0.0);
}

TEST(CrtRandom, DrawsTheWindowsRuntimeSequence) {
    // The first values the Windows C runtime's rand() gives after srand(12345)
    // and, unseeded, after the implicit seed 1.
    Srand(12345);
    std::vector<int> seeded;
    for (int i = 0; i < 5; ++i)
        seeded.push_back(Rand());
    EXPECT_EQ(seeded, (std::vector<int>{7584, 19164, 25795, 22125, 5828}));

    Srand(1);
    EXPECT_EQ(Rand(), 41);
    EXPECT_EQ(Rand(), 18467);
    EXPECT_EQ(Rand(), 6334);

    Srand(12345);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(Rand(), seeded[static_cast<size_t>(i)]);
    for (int i = 0; i < 10000; ++i) {
        int value = Rand();
        ASSERT_GE(value, 0);
        ASSERT_LE(value, kRandMax);
    }
}
