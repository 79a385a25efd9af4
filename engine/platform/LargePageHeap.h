#pragma once

#include <cstddef>
#include <cstdint>

namespace platform {

// A range of addresses: where the heap may be advised to use large pages.
struct AddressRange {
    uintptr_t begin = 0;
    size_t length = 0;
};

// The whole pages of pageSize (a power of two) that lie inside [begin,
// begin + length); empty when not one fits.
AddressRange WholePagesWithin(uintptr_t begin, size_t length, size_t pageSize);

// Start-up's big buffers (render targets, the window's buffers, the encoded
// music) are a few MiB each, and the kernel takes one fault for every 4 KiB
// of fresh memory they touch. The POSIX process entry calls this once,
// before any of them is allocated: buffers below 32 MiB then come from the
// heap, which keeps what it is given back, and the heap's first 32 MiB are
// advised for large pages, so that they are backed in 2 MiB steps. Does
// nothing where the C library or the kernel has no such settings.
void PrepareLargePageHeap();

}
