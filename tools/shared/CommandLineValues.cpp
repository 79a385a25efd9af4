#include "tools/shared/CommandLineValues.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

bool ParseNumber(const std::string& text, double& value) {
    if (text.empty())
        return false;
    char* end = nullptr;
    errno = 0;
    value = std::strtod(text.c_str(), &end);
    return errno == 0 && end == text.c_str() + text.size() && std::isfinite(value);
}

bool ParseCount(const std::string& text, int32_t low, int32_t high, int32_t& value) {
    double number = 0.0;
    if (!ParseNumber(text, number) || number != std::floor(number) || number < low || number > high)
        return false;
    value = static_cast<int32_t>(number);
    return true;
}

bool ParseTime(const std::string& text, double& seconds) { return ParseNumber(text, seconds) && seconds >= 0.0; }

bool ParseSize(const std::string& text, int32_t& width, int32_t& height) {
    const size_t x = text.find('x');
    return x != std::string::npos && ParseCount(text.substr(0, x), 1, kMaxWindowSide, width) &&
           ParseCount(text.substr(x + 1), 1, kMaxWindowSide, height);
}
