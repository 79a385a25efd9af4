#pragma once

#include "tools/musicgen/Instrument.h"

// A deep falling boom with a burst of dark noise: the weight under a hit.
class ImpactInstrument : public Instrument {
public:
    double Duration(const NoteEvent& note) const override;
    void Render(const NoteEvent& note, StereoBuffer& out) const override;
};
