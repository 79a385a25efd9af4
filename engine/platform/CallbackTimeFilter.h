#pragma once

// A callback's time and the device's period, as the loop below sees them.
struct SmoothedCallback {
    double time = 0.0;
    double period = 0.0;
};

// Smooths the times at which the callback runs. The device takes its chunks
// at a steady pace, but the thread that serves it wakes a little late now and
// then; interpolating from raw wake-up times would make the cursor stall and
// jump by that much. A second-order delay-locked loop follows the device's
// phase and its actual period, which differs slightly from the nominal one
// (the file and null drivers sleep whole milliseconds per period). At 1 Hz it
// halves the jitter of those drivers' threads, yet follows within a fraction
// of a second when such a driver falls behind for good.
class CallbackTimeFilter {
public:
    explicit CallbackTimeFilter(double bandwidthHz = 1.0) : bandwidthHz(bandwidthHz) {}

    // For the callback that woke at `time` and takes a chunk of `nominalPeriod`
    // seconds. The first callback, and one far off the expected time (after a
    // pause), restart the loop at its own time.
    SmoothedCallback Smooth(double time, double nominalPeriod);

private:
    double bandwidthHz;
    bool locked = false;
    double expected = 0.0;
    double loopPeriod = 0.0;
};
