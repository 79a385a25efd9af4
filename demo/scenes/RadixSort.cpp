#include "demo/scenes/RadixSort.h"

#include <array>
#include <cstring>

uint32_t NearestFirstKey(float value) {
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    const uint32_t ascending = (bits & 0x80000000u) ? ~bits : bits | 0x80000000u;
    return ~ascending;
}

void RadixSortByKey(std::vector<KeyedIndex>& entries, std::vector<KeyedIndex>& scratch) {
    std::array<std::array<uint32_t, 256>, 4> counts{};
    for (const KeyedIndex& entry : entries)
        for (int pass = 0; pass < 4; ++pass)
            ++counts[pass][(entry.key >> (8 * pass)) & 0xFF];
    scratch.resize(entries.size());
    for (int pass = 0; pass < 4; ++pass) {
        std::array<uint32_t, 256>& count = counts[pass];
        const int shift = 8 * pass;
        if (!entries.empty() && count[(entries.front().key >> shift) & 0xFF] == entries.size())
            continue;
        uint32_t start = 0;
        for (uint32_t& bucket : count) {
            const uint32_t size = bucket;
            bucket = start;
            start += size;
        }
        for (const KeyedIndex& entry : entries)
            scratch[count[(entry.key >> shift) & 0xFF]++] = entry;
        entries.swap(scratch);
    }
}
