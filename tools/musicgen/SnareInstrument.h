#pragma once

#include "tools/musicgen/Instrument.h"

// Two damped body tones, band-passed noise and the triple burst of a clap.
class SnareInstrument : public Instrument {
public:
    double Duration(const NoteEvent& note) const override;
    void Render(const NoteEvent& note, StereoBuffer& out) const override;
};
