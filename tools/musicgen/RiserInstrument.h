#pragma once

#include "tools/musicgen/Instrument.h"

// Noise through a band-pass that sweeps up over the note, swelling in level
// and stopping dead at its end, where the change it leads into lands.
class RiserInstrument : public Instrument {
public:
    double Duration(const NoteEvent& note) const override;
    void Render(const NoteEvent& note, StereoBuffer& out) const override;
};
