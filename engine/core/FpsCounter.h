#pragma once

#include <cstdint>

// Frames per second, measured once per interval.
class FpsCounter {
public:
    explicit FpsCounter(double startTime, double interval = 1.0)
        : lastTime(startTime), interval(interval) {}

    // Counts one frame at the given time-source seconds.
    void CountFrame(double now);
    float GetFps() const { return fps; }

private:
    uint32_t frames = 0;
    double lastTime;
    double interval;
    float fps = 0.0f;
};
