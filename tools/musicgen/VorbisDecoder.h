#pragma once

#include "tools/musicgen/StereoBuffer.h"

#include <vector>

// Decodes an OGG Vorbis stream held in memory to float samples, unclipped,
// so that the encoder's overshoot can be measured.
class VorbisDecoder {
public:
    struct Stream {
        StereoBuffer samples;
        int sampleRate = 0;
        int channels = 0;
    };

    // False when the bytes are not a Vorbis stream or it has other than one
    // or two channels; a mono stream is decoded to both sides.
    static bool Decode(const std::vector<unsigned char>& encoded, Stream& stream);
};
