#include "engine/core/CrtRandom.h"

namespace {
thread_local unsigned int randomState = 1;
}

void Srand(unsigned int seed) { randomState = seed; }

int Rand() {
    randomState = randomState * 214013u + 2531011u;
    return static_cast<int>((randomState >> 16) & 0x7fffu);
}
