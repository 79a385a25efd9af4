#include "tools/cardgen/Plane.h"

#include <cmath>

namespace {

std::vector<float> GaussianKernel(float sigma) {
    const int radius = static_cast<int>(std::ceil(3.0f * sigma));
    std::vector<float> kernel(2 * radius + 1);
    float sum = 0.0f;
    for (int i = -radius; i <= radius; ++i) {
        kernel[i + radius] = std::exp(-0.5f * i * i / (sigma * sigma));
        sum += kernel[i + radius];
    }
    for (float& weight : kernel)
        weight /= sum;
    return kernel;
}

// Swaps rows and columns, so that one pass over rows blurs both ways.
std::vector<float> Transposed(const std::vector<float>& source, int width, int height) {
    std::vector<float> result(source.size());
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            result[static_cast<size_t>(x) * height + y] = source[static_cast<size_t>(y) * width + x];
    return result;
}

}

void Plane::Add(int x, int y, float value) {
    if (x >= 0 && y >= 0 && x < width && y < height)
        values[static_cast<size_t>(y) * width + x] += value;
}

void Plane::AddScaled(const Plane& other, float weight) {
    for (size_t i = 0; i < values.size() && i < other.values.size(); ++i)
        values[i] += weight * other.values[i];
}

Plane Plane::Blurred(float sigma) const {
    const std::vector<float> kernel = GaussianKernel(sigma);
    Plane result(width, height);
    const std::vector<float> across = BlurredRows(values, kernel);
    Plane transposed(height, width);
    transposed.values = Transposed(across, width, height);
    result.values = Transposed(transposed.BlurredRows(transposed.values, kernel), height, width);
    return result;
}

// Beyond the edges the plane is black.
std::vector<float> Plane::BlurredRows(const std::vector<float>& source, const std::vector<float>& kernel) const {
    const int radius = static_cast<int>(kernel.size() / 2);
    std::vector<float> result(source.size(), 0.0f);
    for (int y = 0; y < height; ++y) {
        const float* row = &source[static_cast<size_t>(y) * width];
        float* out = &result[static_cast<size_t>(y) * width];
        for (int x = 0; x < width; ++x) {
            if (row[x] == 0.0f)
                continue;
            for (int k = -radius; k <= radius; ++k)
                if (x + k >= 0 && x + k < width)
                    out[x + k] += row[x] * kernel[k + radius];
        }
    }
    return result;
}
