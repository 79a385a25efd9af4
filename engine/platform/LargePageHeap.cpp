#include "engine/platform/LargePageHeap.h"

namespace platform {

AddressRange WholePagesWithin(uintptr_t begin, size_t length, size_t pageSize) {
    const uintptr_t mask = pageSize - 1;
    if (pageSize == 0 || (pageSize & mask) != 0 || begin > UINTPTR_MAX - length || begin > UINTPTR_MAX - mask)
        return {};
    const uintptr_t first = (begin + mask) & ~mask;
    const uintptr_t end = (begin + length) & ~mask;
    if (end <= first)
        return {};
    return {first, static_cast<size_t>(end - first)};
}

}
