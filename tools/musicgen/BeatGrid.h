#pragma once

// The show's tempo: 175 beats a minute, patterns of eight beats, each beat
// four sixteenths. Every note and every cut of the show sits on this grid.
class BeatGrid {
public:
    static constexpr double kPatternLength = 480.0 / 175.0;
    static constexpr double kSixteenthLength = kPatternLength / 32.0;
    static constexpr int kSixteenthsPerPattern = 32;

    // The show places its events as pattern * P + sixteenth * S; doing the
    // same keeps the music on the very same instants.
    static double At(int pattern, double sixteenth = 0.0)
    {
        return pattern * kPatternLength + sixteenth * kSixteenthLength;
    }
};
