#pragma once

#include <cstdint>
#include <string>
#include <vector>

// What to capture: the frames of chosen times, of a span, or of the whole
// show, at a fixed step.
struct CaptureOptions {
    enum class Mode { Times, Span, WholeShow };

    std::string outDirectory;
    int32_t width = 1024;
    int32_t height = 768;
    int32_t framesPerSecond = 60;
    Mode mode = Mode::Times;
    std::vector<double> times;  // ascending, without repeats
    double from = 0.0;
    double to = 0.0;
    std::string videoFile;  // empty: no video
    bool pipeFrames = false;  // the video's frames go to ffmpeg directly, not to files
    bool printStats = false;
};

// Reads the arguments after the program name. False, with a message naming
// the fault, when they do not make a capture.
bool ParseCaptureOptions(const std::vector<std::string>& arguments, CaptureOptions& options, std::string& error);

extern const char* const kCaptureUsage;
