#pragma once

#include "tools/bench/SampleSummary.h"

#include <cstdint>

// Milliseconds of CPU one frame takes to read every track of a set at the
// frame's row, as the show reads them (through bound values): `tracks`
// tracks of `keys` keys each (every fourth row keyed, the four
// interpolations in turn), over `frames` frames whose rows spread evenly
// from before the first key to past the last.
SampleSummary MeasureSyncEvaluation(int32_t tracks, int32_t keys, int32_t frames);
