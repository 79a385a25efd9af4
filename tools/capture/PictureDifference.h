#pragma once

#include "tools/shared/PngFile.h"

#include <cstdint>

// How far two pictures of one size are apart, as the golden frames judge
// it: a pixel counts as changed when a channel moves by more than
// kChannelTolerance, and the pictures as the same while at most
// kChangedShare of the pixels changed.
struct PictureDifference {
    static constexpr int kChannelTolerance = 8;
    static constexpr double kChangedShare = 0.005;

    int64_t changed = 0;
    int largest = 0;
    double share = 0.0;

    bool WithinTolerance() const { return share <= kChangedShare; }
};

PictureDifference ComparePictures(const RgbPicture& a, const RgbPicture& b);
