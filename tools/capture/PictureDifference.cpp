#include "tools/capture/PictureDifference.h"

#include <algorithm>
#include <cstdlib>

PictureDifference ComparePictures(const RgbPicture& a, const RgbPicture& b) {
    PictureDifference difference;
    const size_t bytes = std::min(a.rgb.size(), b.rgb.size());
    for (size_t pixel = 0; pixel + 2 < bytes; pixel += 3) {
        int largest = 0;
        for (size_t channel = 0; channel < 3; ++channel)
            largest = std::max(largest, std::abs(int(a.rgb[pixel + channel]) - int(b.rgb[pixel + channel])));
        difference.changed += largest > PictureDifference::kChannelTolerance;
        difference.largest = std::max(difference.largest, largest);
    }
    const int64_t pixels = int64_t{a.width} * a.height;
    difference.share = pixels > 0 ? double(difference.changed) / double(pixels) : 0.0;
    return difference;
}
