#pragma once

#include <cstddef>
#include <vector>

// Two channels of float samples, the unit every instrument and effect works on.
class StereoBuffer {
public:
    StereoBuffer() = default;
    explicit StereoBuffer(size_t frames) : left(frames, 0.0f), right(frames, 0.0f) {}

    size_t Frames() const { return left.size(); }

    // Adds a sample at frame; frames past the end are dropped, so a voice may
    // ring past the last frame without checks of its own.
    void Add(size_t frame, float l, float r)
    {
        if (frame < left.size()) {
            left[frame] += l;
            right[frame] += r;
        }
    }

    void Mix(const StereoBuffer& other, float gain);
    void Scale(float gain);
    float Peak() const;

    std::vector<float> left;
    std::vector<float> right;
};
