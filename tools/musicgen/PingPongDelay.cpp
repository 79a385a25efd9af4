#include "tools/musicgen/PingPongDelay.h"

StereoBuffer PingPongDelay::Process(const StereoBuffer& input) const
{
    StereoBuffer echoes(input.Frames());
    if (delayFrames == 0)
        return echoes;
    // One-pole low-pass state per channel, applied inside the feedback loop.
    float toneLeft = 0.0f;
    float toneRight = 0.0f;
    const float tone = 0.35f;
    for (size_t i = delayFrames; i < input.Frames(); ++i) {
        size_t source = i - delayFrames;
        float intoLeft = (input.left[source] + input.right[source]) * 0.5f + echoes.right[source] * feedback;
        float intoRight = echoes.left[source] * feedback;
        toneLeft += (intoLeft - toneLeft) * (1.0f - tone);
        toneRight += (intoRight - toneRight) * (1.0f - tone);
        echoes.left[i] = toneLeft;
        echoes.right[i] = toneRight;
    }
    return echoes;
}
