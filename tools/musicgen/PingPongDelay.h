#pragma once

#include "tools/musicgen/StereoBuffer.h"

// An echo that alternates between the channels: each repeat crosses to the
// other side and loses some treble, so the arpeggios bloom across the field.
class PingPongDelay {
public:
    PingPongDelay(double delaySeconds, double feedback, double sampleRate)
        : delayFrames(static_cast<size_t>(delaySeconds * sampleRate)), feedback(static_cast<float>(feedback)) {}

    // Returns the echoes only; the caller mixes them in.
    StereoBuffer Process(const StereoBuffer& input) const;

private:
    size_t delayFrames;
    float feedback;
};
