#pragma once

#include "tools/musicgen/Instrument.h"

// Three detuned saws spread across the field under a slowly breathing
// low-pass, with a soft sine an octave up: the wide, slow chords.
class PadInstrument : public Instrument {
public:
    double Duration(const NoteEvent& note) const override;
    void Render(const NoteEvent& note, StereoBuffer& out) const override;
};
