#pragma once

#include "engine/render/FrameMarks.h"
#include "engine/render/GLCallCounter.h"
#include "engine/render/GpuFrameTimer.h"

#include <chrono>
#include <cstdint>
#include <vector>

// What --stats measures inside a frame: the GL calls, the CPU time spent
// making instance and vertex data, and the GPU time of the scenes, their
// glow and the final pass, from time stamps at the show's frame marks.
// Needs a current context; one probe at a time.
class FrameProbe {
public:
    FrameProbe();
    ~FrameProbe();
    FrameProbe(const FrameProbe&) = delete;
    FrameProbe& operator=(const FrameProbe&) = delete;

    void BeginFrame();
    void EndFrame();
    double BuildMilliseconds() const { return buildMs; }
    const GLCallCounter& Calls() const { return counter; }
    bool GpuTimed() const { return timer.IsAvailable(); }

    struct GpuFigures {
        int64_t frame = 0;  // counted from 0 by BeginFrame
        double sceneMs = 0.0;
        double glowMs = 0.0;
        double finalMs = 0.0;
    };
    // The frames whose time stamps came back since the last call.
    std::vector<GpuFigures> TakeGpuFrames();
    // Waits for the frames still in flight.
    void Flush() { timer.Flush(); }

private:
    static void OnMark(FrameMarks::Point point, void* context);

    GLCallCounter counter;
    GpuFrameTimer timer;
    std::chrono::steady_clock::time_point buildStarted;
    double buildMs = 0.0;
};
