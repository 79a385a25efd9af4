#pragma once

#include "tools/musicgen/StereoBuffer.h"

#include <vector>

// A comb-and-allpass room: eight damped feedback combs in parallel and four
// allpasses in series per channel. The right channel's delays are a little
// longer than the left's, which decorrelates the two and widens the image.
class StereoReverb {
public:
    StereoReverb(double roomSize, double damping, double preDelaySeconds, double sampleRate);

    // Returns the wet signal only; the caller mixes it in.
    StereoBuffer Process(const StereoBuffer& input);

private:
    struct Comb {
        std::vector<float> line;
        size_t index = 0;
        float filtered = 0.0f;
    };
    struct Allpass {
        std::vector<float> line;
        size_t index = 0;
    };
    struct Channel {
        std::vector<Comb> combs;
        std::vector<Allpass> allpasses;
    };

    static Channel MakeChannel(int spread, double sampleRate);
    float ProcessSample(Channel& channel, float input);

    float feedback;
    float damping;
    size_t preDelayFrames;
    Channel left;
    Channel right;
};
