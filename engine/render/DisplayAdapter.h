#pragma once

#include <cstdint>
#include <string>

struct DisplayAdapter {
    int32_t index = 0;
    std::string description;
    std::string deviceId;
    std::string deviceName;
    std::string monitorName;
    void* monitor = nullptr;  // the OS's monitor handle, or null
};
