#pragma once

#include <cstdint>

// White noise from a 32-bit xorshift: the same seed gives the same samples on
// every platform, which the standard library's distributions do not promise.
class NoiseSource {
public:
    explicit NoiseSource(uint32_t seed) : state(seed != 0 ? seed : 0x9E3779B9u) {}

    // Uniform in [-1, 1).
    float Next()
    {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return static_cast<float>(static_cast<int32_t>(state)) * (1.0f / 2147483648.0f);
    }

private:
    uint32_t state;
};
