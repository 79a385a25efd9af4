#pragma once

#include <cstdint>

// The music's tempo. The time line and the scenes' events are placed in
// patterns of eight beats and in sixteenths.
struct Tempo {
    int32_t bpm = 175;
    int32_t patternBeats = 8;
    double patternLength = 8 * 60.0 / 175;
    double barLength = 4 * 60.0 / 175;
    double beatLength = 60.0 / 175;
    double sixteenthLength = 60.0 / 175 / 4;
};
