#include "tools/musicgen/LoudnessMeter.h"

#include <cmath>
#include <vector>

namespace {

const double kPi = 3.141592653589793;

struct Biquad {
    double b0, b1, b2, a1, a2;
    double x1 = 0.0, x2 = 0.0, y1 = 0.0, y2 = 0.0;

    double Process(double x)
    {
        double y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
        x2 = x1;
        x1 = x;
        y2 = y1;
        y1 = y;
        return y;
    }
};

Biquad HeadShelf(double sampleRate)
{
    const double f0 = 1681.974450955533, gainDb = 3.999843853973347, q = 0.7071752369554196;
    double k = std::tan(kPi * f0 / sampleRate);
    double vh = std::pow(10.0, gainDb / 20.0);
    double vb = std::pow(vh, 0.4996667741545416);
    double a0 = 1.0 + k / q + k * k;
    return Biquad{(vh + vb * k / q + k * k) / a0, 2.0 * (k * k - vh) / a0, (vh - vb * k / q + k * k) / a0,
                  2.0 * (k * k - 1.0) / a0, (1.0 - k / q + k * k) / a0};
}

Biquad LowCut(double sampleRate)
{
    const double f0 = 38.13547087602444, q = 0.5003270373238773;
    double k = std::tan(kPi * f0 / sampleRate);
    double a0 = 1.0 + k / q + k * k;
    return Biquad{1.0, -2.0, 1.0, 2.0 * (k * k - 1.0) / a0, (1.0 - k / q + k * k) / a0};
}

std::vector<double> Weighted(const std::vector<float>& samples, double sampleRate)
{
    Biquad shelf = HeadShelf(sampleRate);
    Biquad lowCut = LowCut(sampleRate);
    std::vector<double> weighted(samples.size());
    for (size_t i = 0; i < samples.size(); ++i)
        weighted[i] = lowCut.Process(shelf.Process(samples[i]));
    return weighted;
}

double ToLufs(double meanSquare)
{
    return -0.691 + 10.0 * std::log10(meanSquare);
}

}

double LoudnessMeter::IntegratedLoudness(const StereoBuffer& buffer, double sampleRate)
{
    std::vector<double> left = Weighted(buffer.left, sampleRate);
    std::vector<double> right = Weighted(buffer.right, sampleRate);
    size_t block = static_cast<size_t>(0.4 * sampleRate);
    size_t step = block / 4;
    std::vector<double> blockPowers;
    for (size_t start = 0; start + block <= left.size(); start += step) {
        double sum = 0.0;
        for (size_t i = start; i < start + block; ++i)
            sum += left[i] * left[i] + right[i] * right[i];
        double power = sum / static_cast<double>(block);
        if (power > 0.0 && ToLufs(power) > -70.0)
            blockPowers.push_back(power);
    }
    if (blockPowers.empty())
        return -70.0;
    double mean = 0.0;
    for (double power : blockPowers)
        mean += power;
    mean /= static_cast<double>(blockPowers.size());
    double relativeGate = ToLufs(mean) - 10.0;
    double gatedSum = 0.0;
    size_t gatedCount = 0;
    for (double power : blockPowers) {
        if (ToLufs(power) > relativeGate) {
            gatedSum += power;
            ++gatedCount;
        }
    }
    return ToLufs(gatedSum / static_cast<double>(gatedCount));
}
