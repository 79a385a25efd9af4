#pragma once

#include "tools/musicgen/Harmony.h"
#include "tools/musicgen/NoteEvent.h"

#include <vector>

// How much of the kit plays in a pattern.
enum class Groove { Sparse, Steps, Rolling, Full };

// How hard a change lands: every hit is a kick and a chord stab; a light one
// adds a clap, a boom a deep impact, a crash a cymbal, a heavy hit both.
enum class HitWeight { Light, Boom, Crash, Heavy };

// Writes musical phrases, one pattern at a time, into a list of notes. The
// arrangement (Composition) decides which phrase plays where.
class ScoreWriter {
public:
    explicit ScoreWriter(std::vector<NoteEvent>& events) : events(events) {}

    void Pad(int pattern, int patterns, const Chord& chord, float velocity, float brightness);
    void Arpeggio(int pattern, const Chord& chord, float velocity, float brightness, int stepSixteenths);
    void SubBass(int pattern, int patterns, const Chord& chord, float velocity);
    void StepBass(int pattern, const Chord& chord, float velocity, float brightness);
    void Melody(int pattern, int transpose, float velocity, float brightness);
    // The drums of one pattern; from sixteenth fillFrom on only the hats play,
    // leaving the room to a roll, and the last sixteenth is then silent.
    void Drums(int pattern, Groove groove, int fillFrom = 32);
    // A snare roll of the given length that stops one sixteenth before end.
    void Roll(double end, int sixteenths, float velocity);
    // A rise that leads into end, where the next change lands.
    void Riser(double end, double length, float velocity, float brightness);
    void Hit(double time, HitWeight weight, const Chord& chord);
    void Stab(double time, const Chord& chord, float velocity, double length);
    void Cymbal(double time, float velocity);
    // Long bell notes on the top of the chord, for the sections without melody.
    void ChordBells(int pattern, const Chord& chord, float velocity, float brightness);

private:
    void Add(InstrumentKind instrument, double start, double length, int pitch, float velocity, float pan,
             float brightness);
    void Kicks(int pattern, Groove groove, int fillFrom);
    void Snares(int pattern, Groove groove, int fillFrom);
    void Hats(int pattern, Groove groove, int fillFrom);

    std::vector<NoteEvent>& events;
};
