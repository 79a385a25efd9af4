#include "tools/musicgen/Harmony.h"

namespace {

const Chord kAMinor9{33, {57, 60, 64, 67, 71}};
const Chord kFMajor9{29, {53, 57, 60, 64, 67}};
const Chord kCMajor7{36, {55, 60, 62, 64, 71}};
const Chord kGSixNine{31, {55, 59, 62, 64, 69}};
const Chord kEMinor7{28, {52, 55, 59, 62, 67}};
const Chord kDMinor9{38, {50, 53, 57, 60, 64}};
const Chord kESeventhSus{28, {52, 57, 59, 62, 64}};
const Chord kESeventh{28, {52, 56, 59, 62, 64}};

}

Chord Harmony::MainChord(int pattern)
{
    static const Chord cycle[] = {kAMinor9, kFMajor9, kCMajor7, kGSixNine};
    return cycle[pattern % 4];
}

Chord Harmony::BreakdownChord(int patternsIntoBreakdown)
{
    static const Chord cycle[] = {kFMajor9, kEMinor7, kDMinor9, kESeventhSus,
                                  kFMajor9, kEMinor7, kDMinor9, kESeventh};
    return cycle[patternsIntoBreakdown % 8];
}

Chord Harmony::Tonic()
{
    return kAMinor9;
}
