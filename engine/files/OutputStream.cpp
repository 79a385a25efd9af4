#include "engine/files/OutputStream.h"

void OutputStream::WriteUInt32(uint32_t value) {
    if (textMode)
        return;
    const uint32_t stored = swapBytes ? ReverseBytes(value) : value;
    Write(&stored, sizeof stored);
}
