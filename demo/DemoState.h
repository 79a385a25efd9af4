#pragma once

#include <cstdint>

enum class DemoState : int32_t {
    Created = 0,
    Precalculating = 1,
    Playing = 2,
    ShuttingDown = 3,
    ShutDown = 4,
};
