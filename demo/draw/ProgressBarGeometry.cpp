#include "demo/draw/ProgressBarGeometry.h"

namespace {
constexpr float kLeft = 0.1f;
constexpr float kTop = 0.845f;
constexpr float kWidth = 0.8f;
constexpr float kBottom = 0.855f;
constexpr float kStartGrey = 0.7f;
}

ProgressBarGeometry ComputeProgressBar(int32_t totalUnits, int32_t doneUnits) {
    const float done = totalUnits > 0 ? static_cast<float>(doneUnits) / static_cast<float>(totalUnits) : 0.0f;
    ProgressBarGeometry bar;
    bar.grey = kStartGrey * (1.0f - done);
    bar.corners = {{{kLeft, kTop}, {kLeft, kBottom}, {kLeft + kWidth * done, kBottom},
                    {kLeft + kWidth * done, kTop}}};
    return bar;
}

uint8_t ColorByte(float channel) {
    if (channel <= 0.0f)
        return 0;
    if (channel >= 1.0f)
        return 255;
    return static_cast<uint8_t>(channel * 255.0f);
}
