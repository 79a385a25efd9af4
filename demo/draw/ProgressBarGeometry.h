#pragma once

#include "demo/draw/QuadCorners.h"

#include <array>
#include <cstdint>

// What the progress bar draws for a proportion of done work: a bar a
// hundredth of the screen high just below the middle of the lower half,
// growing from 10 % to 90 % of the width and darkening from grey to black.
struct ProgressBarGeometry {
    std::array<QuadCorner, 4> corners;
    float grey;
};

// A total of 0 (or below) counts as nothing done yet.
ProgressBarGeometry ComputeProgressBar(int32_t totalUnits, int32_t doneUnits);

// Each channel of a float colour as its vertex byte: times 255, truncated.
uint8_t ColorByte(float channel);
