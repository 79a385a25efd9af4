#pragma once

#include <cstdint>

// What the main thread sees of the precalc worker.
class PrecalcStatus {
public:
    virtual ~PrecalcStatus() = default;
    // Without the lock: cleared only after the worker's last write.
    virtual bool IsRunning() const = 0;
    // Under the worker's lock.
    virtual int32_t GetDoneUnits() const = 0;
    virtual bool IsFinished() const = 0;
};

enum class PrecalcOutcome {
    Running,
    Succeeded,
    Failed,
};

struct PrecalcReading {
    PrecalcOutcome outcome;
    int32_t doneUnits;
};

// The running flag is read first: once it reads false the worker has made
// its last Step, so the done units read after it are the final ones. (Read
// the other way round, a Step landing between the two reads would look like
// a run that came up short.)
PrecalcReading ReadPrecalc(const PrecalcStatus& status, int32_t totalUnits);
