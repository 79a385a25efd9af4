#pragma once

// CPU seconds of the calling thread and of the whole process so far.
double ThreadCpuSeconds();
double ProcessCpuSeconds();
// Seconds on the monotonic clock.
double WallSeconds();
