#pragma once

#include <cstdint>
#include <deque>
#include <vector>

class FrameListener;
class TimeSource;

// One delta per frame, averaged over a window of recent frames and clamped
// against stalls, announced to the listeners after every update.
class FrameTimer {
public:
    // Samples above this many seconds are stalls.
    static constexpr double kStallLimit = 0.2;

    void Reset(double defaultDelta);
    // Connects the time source and starts measuring from its current time.
    void SetTimeSource(TimeSource* source);
    void Update();
    void AddListener(FrameListener* listener);
    void RemoveListener(FrameListener* listener);

    double GetDelta() const { return delta; }
    double GetTotalTime() const { return totalTime; }

private:
    TimeSource* timeSource = nullptr;   // not owned
    std::vector<FrameListener*> listeners;  // not owned
    std::deque<double> history;
    uint32_t windowSize = 1;
    double defaultDelta = 0.0;
    double startTime = 0.0;
    double lastTime = 0.0;
    double totalTime = 0.0;
    double delta = 0.0;
};
