#pragma once

#include <array>
#include <cstdint>

// The four corners of a screen rectangle in drawing order: top left, bottom
// left, bottom right, top right (y grows downwards).
struct QuadCorner {
    float x;
    float y;
};

std::array<QuadCorner, 4> QuadCorners(float x, float y, float width, float height);

// Indices 0 to 3 of the one quad primitive every drawer uses.
extern const uint16_t kQuadIndices[4];
