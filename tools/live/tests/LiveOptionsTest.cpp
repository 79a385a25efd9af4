#include "tools/live/LiveOptions.h"

#include <gtest/gtest.h>

TEST(LiveOptions, DefaultsAndEveryOption) {
    LiveOptions options;
    std::string error;
    ASSERT_TRUE(ParseLiveOptions({}, options, error)) << error;
    EXPECT_EQ(options.width, 1024);
    EXPECT_EQ(options.height, 768);
    EXPECT_FALSE(options.fullscreen);
    EXPECT_FALSE(options.paused);
    EXPECT_EQ(options.start, 0.0);

    ASSERT_TRUE(ParseLiveOptions({"--start", "43.5", "--paused", "--size", "640x480", "--fullscreen"}, options, error))
        << error;
    EXPECT_EQ(options.start, 43.5);
    EXPECT_TRUE(options.paused);
    EXPECT_EQ(options.width, 640);
    EXPECT_EQ(options.height, 480);
    EXPECT_TRUE(options.fullscreen);
}

TEST(LiveOptions, BadInputIsRefusedWithItsReason) {
    const std::vector<std::vector<std::string>> refused = {
        {"--start"}, {"--start", "-1"}, {"--start", "1e999"}, {"--start", "12s"},
        {"--size", "640"}, {"--size", "0x480"}, {"--size", "99999x480"}, {"--loop"}};
    for (const auto& arguments : refused) {
        LiveOptions options;
        std::string error;
        EXPECT_FALSE(ParseLiveOptions(arguments, options, error)) << arguments[0];
        EXPECT_FALSE(error.empty());
    }
}
