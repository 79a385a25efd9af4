#pragma once

// The random generator of the Windows C runtime, on every platform, so that
// both builds draw the same numbers: a linear congruential sequence per
// thread, seeded with 1 until Srand, values 0..kRandMax.
constexpr int kRandMax = 32767;

void Srand(unsigned int seed);
int Rand();
