#include "engine/platform/LargePageHeap.h"

#include <cstdlib>
#include <malloc.h>
#include <sys/mman.h>

namespace platform {

namespace {

constexpr size_t kLargePage = size_t(2) << 20;
// glibc's own ceiling for the threshold below which the heap serves a block.
constexpr int kHeapBlockCeiling = 32 << 20;
constexpr size_t kBlockBytes = size_t(kHeapBlockCeiling) - 4096;

}

// Only the first block is advised: a large page is backed whole at its first
// touch, which pays off for buffers filled at once but not for the sparse
// small blocks that follow in the heap (advising 64 MiB was slower here).
void PrepareLargePageHeap() {
#if defined(M_MMAP_THRESHOLD) && defined(MADV_HUGEPAGE)
    if (mallopt(M_MMAP_THRESHOLD, kHeapBlockCeiling) == 0)
        return;
    // The advised memory stays with the heap instead of going back.
    mallopt(M_TRIM_THRESHOLD, 2 * kHeapBlockCeiling);
    // Growing the heap by a block just under the threshold maps the range
    // without touching it; freed, it is what later buffers are carved from.
    void* block = std::malloc(kBlockBytes);
    if (!block)
        return;
    const AddressRange range = WholePagesWithin(reinterpret_cast<uintptr_t>(block), kBlockBytes, kLargePage);
    if (range.length > 0)
        madvise(reinterpret_cast<void*>(range.begin), range.length, MADV_HUGEPAGE);
    std::free(block);
#endif
}

}
