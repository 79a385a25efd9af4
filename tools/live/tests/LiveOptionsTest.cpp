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

TEST(LiveOptions, SyncEditorAddressesAndTheirRefusals) {
    struct Case {
        const char* value;
        const char* host;
        uint16_t port;
    };
    for (const Case& c : {Case{"4567", "127.0.0.1", 4567}, Case{"editor.local", "editor.local", 1338},
                          Case{"10.0.0.2:99", "10.0.0.2", 99}}) {
        LiveOptions options;
        std::string error;
        ASSERT_TRUE(ParseLiveOptions({"--sync-editor", c.value}, options, error)) << c.value << ": " << error;
        EXPECT_EQ(options.syncEditorHost, c.host);
        EXPECT_EQ(options.syncEditorPort, c.port);
    }
    for (const char* bad : {"", "0", "65536", "99999999999999999999", "host:", "host:0", "host:70000", ":80",
                            "host:8x", "a b", "host:1:2"}) {
        LiveOptions options;
        std::string error;
        EXPECT_FALSE(ParseLiveOptions({"--sync-editor", bad}, options, error)) << bad;
        EXPECT_NE(error.find("HOST[:PORT] or PORT"), std::string::npos) << error;
    }
}
