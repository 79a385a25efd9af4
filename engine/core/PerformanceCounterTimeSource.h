#pragma once

#include "engine/core/TimeSource.h"

#include <cstdint>

class PerformanceCounterTimeSource : public TimeSource {
public:
    PerformanceCounterTimeSource();
    void Reset() override;
    double Now() override;

private:
    int64_t startCount = 0;
    double secondsPerTick = 0.0;
};
