#pragma once

#include <cstdint>

// The bytes of storage the program has given GL objects (texture images,
// depth buffers, buffer data), as the objects count them when they get or
// drop storage. Main thread only, like every GL call.
class GpuMemory {
public:
    static void Add(uint64_t bytes);
    static void Remove(uint64_t bytes);
    static uint64_t Current();
    // The most held at once since the process started.
    static uint64_t Peak();
};
