#include "tools/bench/CpuTime.h"

#include <ctime>

namespace {

double Seconds(clockid_t clock) {
    timespec now{};
    clock_gettime(clock, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

}

double ThreadCpuSeconds() { return Seconds(CLOCK_THREAD_CPUTIME_ID); }
double ProcessCpuSeconds() { return Seconds(CLOCK_PROCESS_CPUTIME_ID); }
double WallSeconds() { return Seconds(CLOCK_MONOTONIC); }
