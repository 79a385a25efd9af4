#include "tools/capture/CaptureSchedule.h"

#include <cmath>
#include <cstdio>

namespace {

// Times closer than this are the same frame: a list time that lands on a
// step is not drawn twice.
constexpr double kSameFrame = 1e-9;

}

CaptureSchedule::CaptureSchedule(const CaptureOptions& options, double showEnd)
    : mode(options.mode), framesPerSecond(options.framesPerSecond) {
    switch (mode) {
    case CaptureOptions::Mode::Times:
        times = options.times;
        lastTime = times.empty() ? 0.0 : times.back();
        break;
    case CaptureOptions::Mode::Span:
        firstKept = options.from;
        lastTime = options.to;
        break;
    case CaptureOptions::Mode::WholeShow:
        firstKept = 0.0;
        lastTime = showEnd;
        break;
    }
}

bool CaptureSchedule::Next(CaptureFrame& frame) {
    return mode == CaptureOptions::Mode::Times ? NextOfTimes(frame) : NextOfSpan(frame);
}

bool CaptureSchedule::NextOfTimes(CaptureFrame& frame) {
    if (nextTime >= times.size())
        return false;
    const double wanted = times[nextTime];
    const double stepTime = StepTime();
    if (stepTime < wanted - kSameFrame) {
        frame = {stepTime, false};
        ++step;
        return true;
    }
    if (std::fabs(stepTime - wanted) <= kSameFrame)
        ++step;
    frame = {wanted, true};
    ++nextTime;
    return true;
}

bool CaptureSchedule::NextOfSpan(CaptureFrame& frame) {
    const double stepTime = StepTime();
    if (stepTime > lastTime + kSameFrame)
        return false;
    frame = {stepTime, stepTime >= firstKept - kSameFrame};
    ++step;
    return true;
}

