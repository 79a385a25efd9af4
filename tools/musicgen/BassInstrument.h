#pragma once

#include "tools/musicgen/Instrument.h"

// A sine sub an octave under two detuned, filtered and gently driven saws;
// mono, so the low end stays centred.
class BassInstrument : public Instrument {
public:
    double Duration(const NoteEvent& note) const override;
    void Render(const NoteEvent& note, StereoBuffer& out) const override;
};
