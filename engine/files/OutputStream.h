#pragma once

#include "engine/files/Stream.h"

class OutputStream : public virtual Stream {
public:
    // Writes count bytes; the number written.
    virtual int32_t Write(const void* src, uint32_t count) = 0;
    virtual void Flush() = 0;

    // Binary mode only.
    void WriteUInt32(uint32_t value);
};
