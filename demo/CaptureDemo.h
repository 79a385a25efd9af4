#pragma once

#include "demo/Demo.h"

// The production on a clock the capture sets: each frame shows the time it
// is given, and frames between kept ones advance the scenes undrawn.
class CaptureDemo : public Demo {
public:
    void SetShowTime(double seconds) { showTime = seconds; }
    void SetDrawing(bool draw) { drawing = draw; }

protected:
    double ClockTime() const override { return showTime; }
    bool DrawsFrame() const override { return drawing; }

private:
    double showTime = 0.0;
    bool drawing = true;
};
