#pragma once

#include "tools/musicgen/StereoBuffer.h"

// Integrated programme loudness in LUFS: K-weighting (a high shelf for the
// head's effect and a high-pass below 40 Hz), mean square over 400 ms blocks
// with 75 % overlap, an absolute gate at -70 LUFS and a relative gate 10 LU
// below the level of the blocks that passed it.
class LoudnessMeter {
public:
    static double IntegratedLoudness(const StereoBuffer& buffer, double sampleRate);
};
