#include "demo/web/WebOptions.h"

#include <cmath>
#include <cstdlib>
#include <sstream>

namespace {

// Sizes a WebGL 2 drawing buffer takes everywhere.
constexpr int kSmallestSide = 16;
constexpr int kLargestSide = 4096;

bool ParseTime(const std::string& text, double& seconds) {
    char* end = nullptr;
    seconds = std::strtod(text.c_str(), &end);
    return !text.empty() && *end == '\0' && std::isfinite(seconds) && seconds >= 0.0;
}

bool ParseSide(const std::string& text, int& side) {
    if (text.empty() || text.size() > 5 || text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    side = std::atoi(text.c_str());
    return side >= kSmallestSide && side <= kLargestSide;
}

bool ParseSize(const std::string& text, int& width, int& height) {
    const size_t cross = text.find('x');
    return cross != std::string::npos && ParseSide(text.substr(0, cross), width) &&
           ParseSide(text.substr(cross + 1), height);
}

}

WebOptions ParseWebOptions(const std::string& commandLine) {
    WebOptions options;
    std::istringstream words(commandLine);
    std::string word;
    while (words >> word) {
        if (word == "writelog") {
            options.writeLog = true;
        } else if (word.rfind("capture=", 0) == 0) {
            options.capture = ParseTime(word.substr(8), options.captureTime);
            if (!options.capture)
                options.error = "The capture time must be a number of seconds, not '" + word.substr(8) + "'.";
        } else if (word.rfind("size=", 0) == 0) {
            if (!ParseSize(word.substr(5), options.width, options.height))
                options.error = "The size must be WIDTHxHEIGHT, each from 16 to 4096, not '" + word.substr(5) + "'.";
        } else {
            options.error = "Unknown option '" + word + "'.";
        }
    }
    return options;
}
