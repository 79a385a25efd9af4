#pragma once

#include "tools/musicgen/StereoBuffer.h"

#include <string>
#include <vector>

// Encodes a stereo buffer as an OGG Vorbis stream in memory. The stream's
// serial number is fixed, so the same samples give the same bytes.
class VorbisEncoder {
public:
    static const int kStreamSerial = 0x5a504d31;

    // quality: the encoder's VBR scale, -0.1 to 1.0. Fails (false) when the
    // encoder refuses the rate, channels or quality.
    static bool Encode(const StereoBuffer& buffer, int sampleRate, float quality, const std::string& title,
                       std::vector<unsigned char>& encoded);
};
