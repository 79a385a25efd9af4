#pragma once

#include "tools/musicgen/Instrument.h"

// High-passed noise over a cluster of inharmonic squares; the note length
// is its decay, short for closed hats, long for open ones.
class HatInstrument : public Instrument {
public:
    double Duration(const NoteEvent& note) const override;
    void Render(const NoteEvent& note, StereoBuffer& out) const override;
};
