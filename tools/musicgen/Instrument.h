#pragma once

#include "tools/musicgen/NoteEvent.h"
#include "tools/musicgen/StereoBuffer.h"

#include <cstdint>

const double kSampleRate = 44100.0;

// A synthesised voice. Each note is rendered whole, straight into the bus it
// plays on, by adding to what is already there.
class Instrument {
public:
    virtual ~Instrument() = default;

    // Seconds the note sounds from its start, release and ringing included.
    virtual double Duration(const NoteEvent& note) const = 0;
    virtual void Render(const NoteEvent& note, StereoBuffer& out) const = 0;

    static double Frequency(double midiNote);
    static size_t StartFrame(const NoteEvent& note);
    static size_t FrameCount(double seconds);
    // A seed that differs from note to note but is the same on every run.
    static uint32_t NoiseSeed(const NoteEvent& note);
    // Equal-power pan: left and right gains for pan in [-1, 1].
    static void PanGains(float pan, float& left, float& right);
};
