#include "tools/musicgen/ScoreWriter.h"

#include "tools/musicgen/BeatGrid.h"

#include <algorithm>
#include <vector>

namespace {

struct MelodyNote {
    int sixteenth;
    int length;
    int pitch;
};

// Four patterns of melody, one phrase per chord of the main progression.
const std::vector<MelodyNote> kMelody[4] = {
    {{0, 10, 76}, {12, 4, 74}, {16, 8, 72}, {24, 8, 74}},
    {{0, 10, 72}, {12, 4, 69}, {16, 6, 72}, {24, 8, 76}},
    {{0, 10, 79}, {12, 4, 76}, {16, 8, 74}, {24, 8, 72}},
    {{0, 10, 71}, {12, 4, 74}, {16, 14, 76}},
};

// The order in which the arpeggio walks its seven tones.
const int kArpeggioOrder[] = {0, 2, 4, 6, 1, 3, 5, 2, 0, 4, 2, 6, 3, 5, 1, 4};

const double S = BeatGrid::kSixteenthLength;

}

void ScoreWriter::Add(InstrumentKind instrument, double start, double length, int pitch, float velocity, float pan,
                      float brightness)
{
    NoteEvent note;
    note.instrument = instrument;
    note.start = start;
    note.length = length;
    note.pitch = pitch;
    note.velocity = velocity;
    note.pan = pan;
    note.brightness = brightness;
    events.push_back(note);
}

void ScoreWriter::Pad(int pattern, int patterns, const Chord& chord, float velocity, float brightness)
{
    double start = BeatGrid::At(pattern);
    double length = patterns * BeatGrid::kPatternLength;
    for (int tone : chord.tones)
        Add(InstrumentKind::Pad, start, length, tone, velocity, 0.0f, brightness);
    // The root an octave down gives the chord its floor.
    Add(InstrumentKind::Pad, start, length, chord.tones[0] - 12, velocity * 0.7f, 0.0f, brightness * 0.6f);
}

void ScoreWriter::Arpeggio(int pattern, const Chord& chord, float velocity, float brightness, int stepSixteenths)
{
    int tones[7];
    std::copy(chord.tones.begin(), chord.tones.end(), tones);
    tones[5] = chord.tones[1] + 12;
    tones[6] = chord.tones[2] + 12;
    int step = 0;
    for (int sixteenth = 0; sixteenth < BeatGrid::kSixteenthsPerPattern; sixteenth += stepSixteenths, ++step) {
        int pitch = tones[kArpeggioOrder[step % 16]] + 12;
        float accent = sixteenth % 8 == 0 ? 1.0f : (sixteenth % 4 == 0 ? 0.85f : 0.7f);
        float pan = step % 2 == 0 ? -0.45f : 0.45f;
        Add(InstrumentKind::Pluck, BeatGrid::At(pattern, sixteenth), S * stepSixteenths * 0.8, pitch,
            velocity * accent, pan, brightness);
    }
}

void ScoreWriter::SubBass(int pattern, int patterns, const Chord& chord, float velocity)
{
    Add(InstrumentKind::Bass, BeatGrid::At(pattern), patterns * BeatGrid::kPatternLength - S, chord.bass + 12,
        velocity, 0.0f, 0.0f);
}

void ScoreWriter::StepBass(int pattern, const Chord& chord, float velocity, float brightness)
{
    // The bass follows the two-step kick and jumps an octave at the end.
    const int starts[] = {0, 10, 16, 26, 30};
    const int lengths[] = {9, 5, 9, 3, 2};
    const int octaves[] = {12, 12, 12, 12, 24};
    for (int i = 0; i < 5; ++i) {
        Add(InstrumentKind::Bass, BeatGrid::At(pattern, starts[i]), lengths[i] * S, chord.bass + octaves[i], velocity,
            0.0f, brightness);
    }
}

void ScoreWriter::Melody(int pattern, int transpose, float velocity, float brightness)
{
    for (const MelodyNote& note : kMelody[pattern % 4]) {
        Add(InstrumentKind::Bell, BeatGrid::At(pattern, note.sixteenth), note.length * S, note.pitch + transpose,
            velocity, 0.0f, brightness);
    }
}

void ScoreWriter::Kicks(int pattern, Groove groove, int fillFrom)
{
    std::vector<int> steps = {0, 16};
    if (groove != Groove::Sparse)
        steps = {0, 10, 16, 26};
    if (groove == Groove::Full)
        steps = {0, 10, 16, 22, 26};
    float velocity = groove == Groove::Sparse ? 0.65f : 0.95f;
    for (int step : steps) {
        if (step < fillFrom)
            Add(InstrumentKind::Kick, BeatGrid::At(pattern, step), 0.0, 36, velocity, 0.0f, 0.5f);
    }
}

void ScoreWriter::Snares(int pattern, Groove groove, int fillFrom)
{
    if (groove == Groove::Sparse)
        return;
    for (int step = 4; step < 32 && step < fillFrom; step += 8)
        Add(InstrumentKind::Snare, BeatGrid::At(pattern, step), 0.0, 50, 0.85f, 0.05f, 0.5f);
    if (groove == Groove::Steps)
        return;
    for (int step = 7; step < 32 && step < fillFrom; step += 8)
        Add(InstrumentKind::Snare, BeatGrid::At(pattern, step), 0.0, 50, 0.18f, -0.3f, 0.5f);
}

void ScoreWriter::Hats(int pattern, Groove groove, int fillFrom)
{
    // Before a cut the hats keep time through the roll but leave its last
    // sixteenth quiet with the rest of the kit.
    int last = fillFrom < 32 ? 31 : 32;
    for (int step = 0; step < last; ++step) {
        bool offbeat = step % 4 == 2;
        bool eighth = step % 2 == 0;
        float pan = step % 2 == 0 ? 0.3f : -0.35f;
        double start = BeatGrid::At(pattern, step);
        if (groove == Groove::Full && step % 16 == 14) {
            Add(InstrumentKind::Hat, start, 0.07, 0, 0.5f, 0.2f, 0.6f);
            continue;
        }
        if (offbeat)
            Add(InstrumentKind::Hat, start, 0.018, 0, groove == Groove::Sparse ? 0.4f : 0.55f, pan, 0.5f);
        else if (eighth && groove != Groove::Sparse)
            Add(InstrumentKind::Hat, start, 0.012, 0, 0.22f, pan, 0.4f);
        else if (groove != Groove::Steps)
            Add(InstrumentKind::Hat, start, 0.008, 0, groove == Groove::Sparse ? 0.12f : 0.2f, pan, 0.7f);
    }
}

void ScoreWriter::Drums(int pattern, Groove groove, int fillFrom)
{
    Kicks(pattern, groove, fillFrom);
    Snares(pattern, groove, fillFrom);
    Hats(pattern, groove, fillFrom);
}

void ScoreWriter::Roll(double end, int sixteenths, float velocity)
{
    // Sixteenths, then thirty-seconds over the last quarter, rising in level
    // and moving from left to right.
    double start = end - sixteenths * S;
    double stop = end - S;
    double denseFrom = end - std::max(2, sixteenths / 4) * S - S;
    for (double time = start; time < stop - 1e-9;) {
        double progress = (time - start) / (stop - start);
        Add(InstrumentKind::Snare, time, 0.0, 50, velocity * static_cast<float>(0.25 + 0.75 * progress),
            static_cast<float>(-0.4 + 0.8 * progress), 0.5f);
        time += time >= denseFrom - 1e-9 ? S * 0.5 : S;
    }
}

void ScoreWriter::Riser(double end, double length, float velocity, float brightness)
{
    // It stops a sixteenth early: the short hush makes the hit land.
    Add(InstrumentKind::Riser, end - length, length - S, 0, velocity, 0.0f, brightness);
}

void ScoreWriter::Stab(double time, const Chord& chord, float velocity, double length)
{
    for (size_t i = 0; i < chord.tones.size(); ++i) {
        float pan = -0.6f + 0.3f * static_cast<float>(i);
        Add(InstrumentKind::Pluck, time, length, chord.tones[i], velocity * 0.55f, pan, 0.9f);
    }
}

void ScoreWriter::Cymbal(double time, float velocity)
{
    Add(InstrumentKind::Crash, time, 0.0, 0, velocity, 0.0f, 0.7f);
}

void ScoreWriter::ChordBells(int pattern, const Chord& chord, float velocity, float brightness)
{
    Add(InstrumentKind::Bell, BeatGrid::At(pattern), 14 * S, chord.tones[4] + 12, velocity, 0.0f, brightness);
    Add(InstrumentKind::Bell, BeatGrid::At(pattern, 16), 14 * S, chord.tones[3] + 12, velocity * 0.8f, 0.0f,
        brightness);
}

void ScoreWriter::Hit(double time, HitWeight weight, const Chord& chord)
{
    bool light = weight == HitWeight::Light;
    Add(InstrumentKind::Kick, time, 0.0, 36, 1.0f, 0.0f, 0.5f);
    Stab(time, chord, light ? 0.7f : 0.9f, light ? S : 2.0 * S);
    // A clap gives the short hits their edge over whatever still rings.
    if (light)
        Add(InstrumentKind::Snare, time, 0.0, 50, 0.6f, 0.2f, 0.5f);
    if (weight == HitWeight::Crash || weight == HitWeight::Heavy)
        Cymbal(time, 0.9f);
    if (weight == HitWeight::Boom || weight == HitWeight::Heavy)
        Add(InstrumentKind::Impact, time, 0.0, 0, 1.0f, 0.0f, 0.5f);
}
