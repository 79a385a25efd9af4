#include "tools/capture/CaptureOptions.h"
#include "tools/capture/CaptureRun.h"

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    if (arguments.size() == 1 && (arguments[0] == "--help" || arguments[0] == "-h")) {
        std::fputs(kCaptureUsage, stdout);
        return 0;
    }
    CaptureOptions options;
    std::string error;
    if (!ParseCaptureOptions(arguments, options, error)) {
        std::fprintf(stderr, "zpcapture: %s\n%s", error.c_str(), kCaptureUsage);
        return 2;
    }
    return RunCapture(options);
}
