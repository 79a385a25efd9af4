#pragma once

#include <cstddef>
#include <vector>

// One channel of floats, rows top down: glyph coverage, a glow, a colour.
class Plane {
public:
    Plane(int width, int height) : width(width), height(height), values(static_cast<size_t>(width) * height, 0.0f) {}

    int Width() const { return width; }
    int Height() const { return height; }
    float At(int x, int y) const { return values[static_cast<size_t>(y) * width + x]; }
    // Pixels outside the plane are dropped.
    void Add(int x, int y, float value);
    // The sum of this and other times weight, pixel by pixel.
    void AddScaled(const Plane& other, float weight);
    // A Gaussian blur of the given standard deviation in pixels.
    Plane Blurred(float sigma) const;

private:
    std::vector<float> BlurredRows(const std::vector<float>& source, const std::vector<float>& kernel) const;

    int width;
    int height;
    std::vector<float> values;
};
