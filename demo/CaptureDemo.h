#pragma once

#include "demo/Demo.h"

#include <cstdint>

// The production on a clock the capture sets: each frame shows the time it
// is given, and frames between kept ones advance the scenes undrawn.
class CaptureDemo : public Demo {
public:
    void SetShowTime(double seconds) { showTime = seconds; }
    void SetDrawing(bool draw) { drawing = draw; }
    // Draws the progress bar until the precalculation ends, waiting the
    // given time between frames; true once the show plays.
    bool Precalculate(uint32_t pollMilliseconds);

protected:
    double ClockTime() const override { return showTime; }
    bool DrawsFrame() const override { return drawing; }

private:
    double showTime = 0.0;
    bool drawing = true;
};
