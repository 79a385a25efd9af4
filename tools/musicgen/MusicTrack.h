#pragma once

#include "tools/musicgen/StereoBuffer.h"

#include <vector>

// The demo's track as the tool produces it: the composition rendered at
// 44.1 kHz stereo to -14 LUFS under a -1.5 dBFS ceiling, encoded at Vorbis
// quality 0.5.
class MusicTrack {
public:
    static const int kSampleRate = 44100;
    static constexpr double kTargetLoudness = -13.0;
    static constexpr double kCeilingDb = -1.5;
    // The lossy encoding overshoots the ceiling on sharp transients; what a
    // player decodes must stay below this.
    static constexpr double kDecodedPeakDb = -0.5;
    static constexpr float kQuality = 0.5f;

    static StereoBuffer Render();
    // Encodes master; should the decoded stream overshoot kDecodedPeakDb,
    // master is turned down by the excess and encoded again, so master is
    // left as the samples that were encoded.
    static bool Encode(StereoBuffer& master, std::vector<unsigned char>& encoded);
};
