#pragma once

#include "tools/capture/CaptureOptions.h"

#include <cstdint>
#include <string>

// One frame of a capture: the show time it shows, and whether it is kept or
// only advances the scenes to where the running show would have them.
struct CaptureFrame {
    double time = 0.0;
    bool keep = false;
};

// The frames a capture steps through, from the start of the show: every
// step of 1/fps seconds up to the last time wanted, with each time of a
// list added exactly where it falls between two steps.
class CaptureSchedule {
public:
    CaptureSchedule(const CaptureOptions& options, double showEnd);

    bool Next(CaptureFrame& frame);
    // The last time a kept frame can show.
    double LastTime() const { return lastTime; }

private:
    bool NextOfTimes(CaptureFrame& frame);
    bool NextOfSpan(CaptureFrame& frame);
    double StepTime() const { return static_cast<double>(step) / framesPerSecond; }

    CaptureOptions::Mode mode;
    std::vector<double> times;
    size_t nextTime = 0;
    double firstKept = 0.0;
    double lastTime = 0.0;
    int32_t framesPerSecond;
    int64_t step = 0;
};


