#include "tools/musicgen/Composition.h"

#include "tools/musicgen/BeatGrid.h"
#include "tools/musicgen/ScoreWriter.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace {

const double P = BeatGrid::kPatternLength;

struct Cut {
    int pattern;
    double riserPatterns;
    int rollSixteenths;
    HitWeight weight;
};

// How each cut is approached and how hard it lands.
const Cut kCuts[] = {
    {8, 1.0, 0, HitWeight::Heavy},    {16, 1.0, 16, HitWeight::Heavy}, {20, 0.5, 4, HitWeight::Crash},
    {24, 1.0, 16, HitWeight::Heavy},  {36, 1.0, 8, HitWeight::Heavy},  {44, 2.0, 32, HitWeight::Heavy},
    {46, 0.5, 4, HitWeight::Crash},   {48, 0.5, 8, HitWeight::Heavy},  {50, 0.5, 4, HitWeight::Crash},
    {52, 0.25, 4, HitWeight::Heavy},
};

struct Flash {
    int pattern;
    int sixteenth;
    HitWeight weight;
};

// The beat flashes of the opening: the long ones boom, the short ones are
// stabs with a clap.
const Flash kFlashes[] = {
    {3, 0, HitWeight::Boom},   {4, 0, HitWeight::Heavy}, {4, 8, HitWeight::Light}, {4, 10, HitWeight::Light},
    {5, 0, HitWeight::Boom},   {5, 4, HitWeight::Light}, {5, 8, HitWeight::Light}, {5, 10, HitWeight::Light},
    {6, 0, HitWeight::Boom},   {7, 0, HitWeight::Boom},
};

// Groove of the pattern before a cut: the drums make room for its roll.
int FillFrom(int pattern)
{
    for (const Cut& cut : kCuts) {
        if (cut.pattern == pattern + 1 && cut.rollSixteenths > 0)
            return BeatGrid::kSixteenthsPerPattern - cut.rollSixteenths;
    }
    return BeatGrid::kSixteenthsPerPattern;
}

Chord ChordAt(int pattern)
{
    if (pattern >= 36 && pattern < 44)
        return Harmony::BreakdownChord(pattern - 36);
    return Harmony::MainChord(pattern);
}

void WriteOpening(ScoreWriter& writer)
{
    for (int pattern = 0; pattern < 8; ++pattern) {
        Chord chord = ChordAt(pattern);
        writer.Pad(pattern, 1, chord, 0.55f + 0.05f * pattern, 0.3f + 0.03f * pattern);
        if (pattern >= 1)
            writer.Arpeggio(pattern, chord, 0.3f + 0.04f * pattern, 0.12f + 0.07f * pattern, 2);
        if (pattern >= 3)
            writer.SubBass(pattern, 1, chord, 0.65f);
    }
    writer.Riser(BeatGrid::At(3), P, 0.45f, 0.4f);
    for (const Flash& flash : kFlashes) {
        writer.Hit(BeatGrid::At(flash.pattern, flash.sixteenth), flash.weight, ChordAt(flash.pattern));
    }
}

void WriteFirstSpheres(ScoreWriter& writer)
{
    for (int pattern = 8; pattern < 16; ++pattern) {
        Chord chord = ChordAt(pattern);
        writer.Pad(pattern, 1, chord, 0.85f, 0.55f);
        writer.Arpeggio(pattern, chord, 0.55f, 0.6f, 2);
        writer.SubBass(pattern, 1, chord, 0.8f);
        writer.Drums(pattern, Groove::Sparse, FillFrom(pattern));
        if (pattern >= 12)
            writer.Melody(pattern, 0, 0.45f, 0.35f);
    }
}

void WriteBoxGrid(ScoreWriter& writer)
{
    for (int pattern = 16; pattern < 24; ++pattern) {
        Chord chord = ChordAt(pattern);
        bool second = pattern >= 20;
        writer.Pad(pattern, 1, chord, 0.7f, 0.55f);
        writer.Arpeggio(pattern, chord, 0.5f, second ? 0.75f : 0.6f, 2);
        writer.StepBass(pattern, chord, 0.9f, second ? 0.7f : 0.5f);
        writer.Drums(pattern, second ? Groove::Rolling : Groove::Steps, FillFrom(pattern));
    }
}

void WriteCubes(ScoreWriter& writer)
{
    for (int pattern = 24; pattern < 36; ++pattern) {
        Chord chord = ChordAt(pattern);
        writer.Pad(pattern, 1, chord, 0.7f, 0.6f);
        writer.Arpeggio(pattern, chord, 0.5f, 0.75f, 2);
        writer.StepBass(pattern, chord, 0.95f, 0.85f);
        writer.Drums(pattern, Groove::Full, FillFrom(pattern));
        if (pattern >= 28)
            writer.Melody(pattern, 0, 0.7f, 0.6f);
    }
    writer.Cymbal(BeatGrid::At(28), 0.8f);
    writer.Cymbal(BeatGrid::At(32), 0.8f);
}

void WriteBreakdown(ScoreWriter& writer)
{
    for (int pattern = 36; pattern < 44; ++pattern) {
        Chord chord = ChordAt(pattern);
        writer.Pad(pattern, 1, chord, 0.95f, 0.4f + 0.03f * (pattern - 36));
        writer.SubBass(pattern, 1, chord, 0.7f);
        writer.ChordBells(pattern, chord, 0.4f, 0.3f);
        if (pattern >= 38)
            writer.Arpeggio(pattern, chord, 0.3f + 0.04f * (pattern - 38), 0.15f + 0.1f * (pattern - 38), 2);
    }
    writer.Drums(42, Groove::Sparse);
    writer.Drums(43, Groove::Sparse, FillFrom(43));
}

void WriteClimax(ScoreWriter& writer)
{
    for (int pattern = 44; pattern < 52; ++pattern) {
        Chord chord = ChordAt(pattern);
        writer.Pad(pattern, 1, chord, 0.8f, 0.7f);
        writer.Arpeggio(pattern, chord, 0.5f, 0.85f, 2);
        writer.StepBass(pattern, chord, 1.0f, 0.9f);
        writer.Drums(pattern, Groove::Full, FillFrom(pattern));
        writer.Melody(pattern, 0, 0.75f, 0.7f);
        writer.Melody(pattern, 12, 0.25f, 0.4f);
    }
}

void WriteOutro(ScoreWriter& writer)
{
    Chord tonic = Harmony::Tonic();
    writer.Pad(52, 2, tonic, 0.9f, 0.6f);
    for (int pattern = 52; pattern < 54; ++pattern) {
        writer.Arpeggio(pattern, tonic, 0.45f, 0.6f, 2);
        writer.StepBass(pattern, tonic, 0.9f, 0.6f);
        writer.Drums(pattern, Groove::Rolling);
    }
    writer.ChordBells(52, tonic, 0.5f, 0.4f);
}

void WriteCuts(ScoreWriter& writer)
{
    for (const Cut& cut : kCuts) {
        double time = BeatGrid::At(cut.pattern);
        writer.Riser(time, cut.riserPatterns * P, 0.8f, 0.8f);
        if (cut.rollSixteenths > 0)
            writer.Roll(time, cut.rollSixteenths, 0.75f);
        writer.Hit(time, cut.weight, ChordAt(cut.pattern));
    }
}

// A hit on a pattern's first beat and the groove's own first kick would
// double up; the louder of two kicks at one instant stays.
void MergeDoubledKicks(std::vector<NoteEvent>& events)
{
    std::vector<NoteEvent> merged;
    std::map<long long, size_t> kickAt;
    for (const NoteEvent& note : events) {
        if (note.instrument != InstrumentKind::Kick) {
            merged.push_back(note);
            continue;
        }
        long long instant = std::llround(note.start * 1e6);
        auto found = kickAt.find(instant);
        if (found == kickAt.end()) {
            kickAt[instant] = merged.size();
            merged.push_back(note);
        } else {
            merged[found->second].velocity = std::max(merged[found->second].velocity, note.velocity);
        }
    }
    events.swap(merged);
}

}

std::vector<double> Composition::CutTimes()
{
    std::vector<double> times;
    for (const Cut& cut : kCuts)
        times.push_back(BeatGrid::At(cut.pattern));
    return times;
}

std::vector<double> Composition::FlashTimes()
{
    std::vector<double> times;
    for (const Flash& flash : kFlashes)
        times.push_back(BeatGrid::At(flash.pattern, flash.sixteenth));
    return times;
}

double Composition::FadeStart()
{
    return BeatGrid::At(52);
}

double Composition::FadeEnd()
{
    return BeatGrid::At(54);
}

double Composition::Length()
{
    return FadeEnd() + 4.0;
}

std::vector<NoteEvent> Composition::Score()
{
    std::vector<NoteEvent> events;
    ScoreWriter writer(events);
    WriteOpening(writer);
    WriteFirstSpheres(writer);
    WriteBoxGrid(writer);
    WriteCubes(writer);
    WriteBreakdown(writer);
    WriteClimax(writer);
    WriteOutro(writer);
    WriteCuts(writer);
    MergeDoubledKicks(events);
    return events;
}
