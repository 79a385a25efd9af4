#include "tools/musicgen/Adsr.h"

#include <cmath>

double Adsr::HeldLevel(double t) const
{
    if (t < attack)
        return t / attack;
    double sinceDecay = t - attack;
    if (decay <= 0.0)
        return sustain;
    // Exponential decay that reaches the sustain level at t = attack + decay
    // (within 1 %), as analogue envelopes do.
    return sustain + (1.0 - sustain) * std::exp(-4.6 * sinceDecay / decay);
}

double Adsr::Level(double t, double gateLength) const
{
    if (t < 0.0)
        return 0.0;
    if (t < gateLength)
        return HeldLevel(t);
    double sinceRelease = t - gateLength;
    if (sinceRelease >= release)
        return 0.0;
    double fraction = 1.0 - sinceRelease / release;
    return HeldLevel(gateLength) * fraction * fraction;
}
