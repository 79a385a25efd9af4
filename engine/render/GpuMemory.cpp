#include "engine/render/GpuMemory.h"

namespace {

uint64_t current = 0;
uint64_t peak = 0;

}

void GpuMemory::Add(uint64_t bytes) {
    current += bytes;
    if (current > peak)
        peak = current;
}

void GpuMemory::Remove(uint64_t bytes) { current = bytes > current ? 0 : current - bytes; }

uint64_t GpuMemory::Current() { return current; }

uint64_t GpuMemory::Peak() { return peak; }
