#pragma once

#include <cstdint>
#include <string>

// The values the tools' command lines take, each read whole or refused.
constexpr int32_t kMaxWindowSide = 8192;

// A finite decimal number, nothing after it.
bool ParseNumber(const std::string& text, double& value);
// A whole number from low to high.
bool ParseCount(const std::string& text, int32_t low, int32_t high, int32_t& value);
// Seconds, not negative.
bool ParseTime(const std::string& text, double& seconds);
// "WxH", each side from 1 to kMaxWindowSide.
bool ParseSize(const std::string& text, int32_t& width, int32_t& height);
