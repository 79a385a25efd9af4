#pragma once

#include "demo/PrecalcWatch.h"
#include "engine/core/PrecalcQueue.h"

// The precalc queue as the demo watches it.
class QueueStatus : public PrecalcStatus {
public:
    explicit QueueStatus(const PrecalcQueue& queue) : queue(queue) {}
    bool IsRunning() const override { return queue.IsRunning(); }
    int32_t GetDoneUnits() const override { return queue.GetDoneUnits(); }
    bool IsFinished() const override { return queue.IsFinished(); }

private:
    const PrecalcQueue& queue;
};
