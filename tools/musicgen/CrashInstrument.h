#pragma once

#include "tools/musicgen/Instrument.h"

// A long, bright, stereo noise-and-metal wash for the big changes.
class CrashInstrument : public Instrument {
public:
    double Duration(const NoteEvent& note) const override;
    void Render(const NoteEvent& note, StereoBuffer& out) const override;
};
