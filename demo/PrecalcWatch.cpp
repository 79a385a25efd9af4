#include "demo/PrecalcWatch.h"

PrecalcReading ReadPrecalc(const PrecalcStatus& status, int32_t totalUnits) {
    const bool running = status.IsRunning();
    const int32_t done = status.GetDoneUnits();
    if (running)
        return {PrecalcOutcome::Running, done};
    const bool complete = done == totalUnits && status.IsFinished();
    return {complete ? PrecalcOutcome::Succeeded : PrecalcOutcome::Failed, done};
}
