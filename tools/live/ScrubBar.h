#pragma once

#include <vector>

// The scrub bar's geometry: the whole show laid over a strip of pixels, from
// its left edge (time 0) to its right edge (the end of the show). Plain
// arithmetic, so that what a click seeks to is tested without a window.
struct ScrubScale {
    float left = 0.0f;
    float width = 0.0f;
    double showEnd = 0.0;

    // The time under a mouse x, clamped to the show: a drag past either end
    // holds at the start or the end. 0 for an empty show or strip.
    double TimeAt(float x) const;
    // Where a time lies on the strip, clamped to its edges.
    float XAt(double time) const;
};

// The pattern starts to mark on the strip: every pattern, or every second,
// fourth... pattern when they would lie closer than minSpacing pixels. The
// stride is returned through strideOut (1, 2, 4, ...; 0 for none). Empty for
// a pattern length or strip that is not positive, and for patterns so short
// that no power of two up to 2^30 spaces them out.
std::vector<double> PatternTicks(const ScrubScale& scale, double patternLength, float minSpacing,
                                 int* strideOut = nullptr);
