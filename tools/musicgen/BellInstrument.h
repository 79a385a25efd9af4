#pragma once

#include "tools/musicgen/Instrument.h"

// Two-operator frequency modulation with a decaying index, slightly detuned
// between the channels: the glassy lead.
class BellInstrument : public Instrument {
public:
    double Duration(const NoteEvent& note) const override;
    void Render(const NoteEvent& note, StereoBuffer& out) const override;
};
