#pragma once

#include "engine/core/FrameListener.h"

class FrameTimer;

// A scaled, pausable time that advances with a frame timer.
class Clock : public FrameListener {
public:
    explicit Clock(double speed = 1.0) : speed(speed) {}
    ~Clock() override;
    Clock(const Clock&) = delete;
    Clock& operator=(const Clock&) = delete;

    void Attach(FrameTimer* newTimer);
    double GetTime() const { return time; }
    double GetDelta() const { return delta; }
    void OnFrame() override;

    bool paused = false;
    double speed = 1.0;

private:
    FrameTimer* timer = nullptr;  // not owned
    double time = 0.0;
    double delta = 0.0;
};
