#pragma once

#include <cstdint>

class PrecalcProgress;

// CPU work done on the precalc thread before the show: it announces its work
// units and then reports each of them through the progress while it runs.
class PrecalcTask {
public:
    virtual ~PrecalcTask() = default;
    // How many times Run will call Step.
    virtual int32_t WorkUnits() = 0;
    // False when the precalculation failed.
    virtual bool Run(PrecalcProgress* progress) = 0;
};
