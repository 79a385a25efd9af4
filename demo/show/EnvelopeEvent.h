#pragma once

#include <cstdint>

enum class EnvelopeKind : int32_t {
    FadeIn = 0,
    FadeOut = 1,
    FlashIn = 2,
    FlashOut = 3,
};

// One ramp of the fade or the flash, active for start <= t < end.
struct EnvelopeEvent {
    EnvelopeKind kind = EnvelopeKind::FadeIn;
    double start = 0.0;
    double end = 0.0;
    double duration = 0.0;

    bool IsActiveAt(double time) const { return start <= time && time < end; }
    // How far the ramp has come at the time, 0 at the start.
    double ProgressAt(double time) const { return (time - start) / duration; }
};
