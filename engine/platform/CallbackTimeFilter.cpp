#include "engine/platform/CallbackTimeFilter.h"

#include <cmath>

SmoothedCallback CallbackTimeFilter::Smooth(double time, double nominalPeriod) {
    double error = time - expected;
    if (!locked || std::fabs(error) > 2.0 * nominalPeriod) {
        locked = true;
        loopPeriod = nominalPeriod;
        expected = time + nominalPeriod;
        return SmoothedCallback{time, nominalPeriod};
    }
    const double pi = 3.14159265358979323846;
    double omega = 2.0 * pi * bandwidthHz * nominalPeriod;
    SmoothedCallback smoothed{expected, 0.0};
    expected += loopPeriod + std::sqrt(2.0) * omega * error;
    loopPeriod += omega * omega * error;
    // The chunk plays from this callback's smoothed time to the next one's.
    smoothed.period = expected - smoothed.time;
    return smoothed;
}
