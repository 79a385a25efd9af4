#pragma once

#include <cstdint>
#include <string>
#include <vector>

// zplive's command line.
struct LiveOptions {
    double start = 0.0;
    bool paused = false;
    int32_t width = 1024;
    int32_t height = 768;
    bool fullscreen = false;
};

extern const char* const kLiveUsage;

// False, with the reason in error, for anything but the options above.
bool ParseLiveOptions(const std::vector<std::string>& arguments, LiveOptions& options, std::string& error);
