#include "engine/core/PerformanceCounterTimeSource.h"

#include "engine/core/FactoryRegistry.h"
#include "engine/platform/SystemServices.h"

namespace {
TimeSource* CreatePerformanceCounterTimeSource() { return new PerformanceCounterTimeSource; }
const FactoryRegistration<TimeSource> registration(1, CreatePerformanceCounterTimeSource);
}

PerformanceCounterTimeSource::PerformanceCounterTimeSource() { Reset(); }

void PerformanceCounterTimeSource::Reset() {
    secondsPerTick = 1.0 / static_cast<double>(platform::PerformanceFrequency());
    startCount = platform::PerformanceCounter();
}

double PerformanceCounterTimeSource::Now() {
    return static_cast<double>(platform::PerformanceCounter() - startCount) * secondsPerTick;
}
