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
    // --sync-editor: where a sync editor listens; an empty host for none.
    std::string syncEditorHost;
    uint16_t syncEditorPort = 0;
};

extern const char* const kLiveUsage;

// False, with the reason in error, for anything but the options above.
// "HOST:PORT", "HOST" (port 1338) or "PORT" (digits only, on 127.0.0.1).
bool ParseSyncEditorAddress(const std::string& value, std::string& host, uint16_t& port);

bool ParseLiveOptions(const std::vector<std::string>& arguments, LiveOptions& options, std::string& error);
