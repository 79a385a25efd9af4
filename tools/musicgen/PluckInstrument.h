#pragma once

#include "tools/musicgen/Instrument.h"

// Saw and square under a low-pass whose cutoff snaps shut after the attack:
// arpeggio notes and chord stabs.
class PluckInstrument : public Instrument {
public:
    double Duration(const NoteEvent& note) const override;
    void Render(const NoteEvent& note, StereoBuffer& out) const override;
};
