#pragma once

#include "tools/bench/SampleSummary.h"

#include <string>

// How steadily the music's play position follows real time: the track at
// `path` plays on SDL's disk driver (into `diskFile`) while a loop sleeps to
// 60 frames a second for `seconds`, and each frame compares the position's
// step with the wall clock's. The loop's own lateness against the 1/60 s
// tick is the reference: what a frame clock without music would see.
struct ClockFigures {
    SampleSummary frameMinusWall;  // seconds
    SampleSummary wallMinusTick;   // seconds
    int frames = 0;
};

bool MeasureClockSteadiness(const std::string& path, const std::string& diskFile, double seconds,
                            ClockFigures& figures, std::string& error);
