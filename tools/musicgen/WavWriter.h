#pragma once

#include "tools/musicgen/StereoBuffer.h"

#include <string>
#include <vector>

// 16-bit PCM RIFF WAVE, for listening to the mix before it is encoded.
class WavWriter {
public:
    static std::vector<unsigned char> Encode(const StereoBuffer& buffer, int sampleRate);
};
