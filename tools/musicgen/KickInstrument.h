#pragma once

#include "tools/musicgen/Instrument.h"

// A sine whose pitch drops fast from a click to a low thump.
class KickInstrument : public Instrument {
public:
    double Duration(const NoteEvent& note) const override;
    void Render(const NoteEvent& note, StereoBuffer& out) const override;
};
