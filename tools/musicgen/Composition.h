#pragma once

#include "tools/musicgen/NoteEvent.h"

#include <vector>

// The arrangement of "zephal_ethereal", written to the show's time line: the
// cuts between scenes and the opening's beat flashes land on hits, each cut
// with a rise into it, and the last two patterns fade to silence.
class Composition {
public:
    // The instants of the cuts between full-screen scenes, in seconds.
    static std::vector<double> CutTimes();
    // The beat flashes of the opening scene, in seconds.
    static std::vector<double> FlashTimes();
    static double FadeStart();
    static double FadeEnd();
    // The whole track, the silent tail after the show included.
    static double Length();

    static std::vector<NoteEvent> Score();
};
