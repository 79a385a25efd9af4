#pragma once

#include <array>

// A chord as it is played: the bass note and a five-note voicing around
// middle C, both as MIDI note numbers.
struct Chord {
    int bass;
    std::array<int, 5> tones;
};

// The piece is in A minor. The main progression is i9 - VImaj9 - IIImaj7 -
// VII6/9, one chord a pattern; the breakdown turns to VI - v - iv - V7sus so
// that the climax resolves onto the tonic.
class Harmony {
public:
    static Chord MainChord(int pattern);
    // patternsIntoBreakdown: patterns since the breakdown began.
    static Chord BreakdownChord(int patternsIntoBreakdown);
    static Chord Tonic();
};
