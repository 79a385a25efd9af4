#ifdef _WIN32

#include "engine/platform/SingleInstance.h"
#include "engine/platform/SystemServices.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <process.h>
#include <string>

namespace {

TEST(Win32SystemServices, ErrorTextIsTheSystemsLineWithItsBreak) {
    const std::string text = platform::ErrorText(2);  // the file cannot be found
    ASSERT_GE(text.size(), 2u);
    EXPECT_EQ(text.back(), '\n');
}

TEST(Win32SystemServices, CurrentDirectoryFitsOrFails) {
    char buffer[1024];
    ASSERT_TRUE(platform::CurrentDirectory(buffer, sizeof buffer));
    EXPECT_EQ(std::filesystem::path(buffer), std::filesystem::current_path());
    const uint32_t exact = static_cast<uint32_t>(std::string(buffer).size());
    EXPECT_FALSE(platform::CurrentDirectory(buffer, exact));  // no room for the terminator
    EXPECT_TRUE(platform::CurrentDirectory(buffer, exact + 1));
}

TEST(Win32SystemServices, CounterAdvancesAtItsFrequency) {
    const int64_t frequency = platform::PerformanceFrequency();
    ASSERT_GT(frequency, 0);
    const int64_t start = platform::PerformanceCounter();
    platform::SleepMilliseconds(20);
    const double seconds = static_cast<double>(platform::PerformanceCounter() - start) / static_cast<double>(frequency);
    EXPECT_GE(seconds, 0.015);
    EXPECT_LT(seconds, 2.0);
}

TEST(Win32SystemServices, TheOperatingSystemIsDescribed) {
    EXPECT_FALSE(platform::DescribeOperatingSystem().empty());
    EXPECT_EQ(platform::NativePathSeparator(), '\\');
}

// The guard is a named mutex: a second take fails even within the process.
TEST(Win32SingleInstance, TheSecondTakeOfAGuardFails) {
    const std::string name = "ZpDemo unit test guard " + std::to_string(_getpid());
    EXPECT_TRUE(platform::AcquireSingleInstance(name.c_str()));
    EXPECT_FALSE(platform::AcquireSingleInstance(name.c_str()));
    EXPECT_TRUE(platform::AcquireSingleInstance((name + " other").c_str()));
}

}

#endif
