#pragma once

#include <cstdint>
#include <vector>

// An index with the key it sorts by.
struct KeyedIndex {
    uint32_t key;
    uint32_t index;
};

// A key that puts larger values first when sorted in ascending order: the
// float's bits, flipped so that unsigned order follows the numbers, then
// inverted.
uint32_t NearestFirstKey(float value);

// Sorts by key, ascending and stable, in four byte-wide passes (fewer when
// a byte is the same in every key); scratch is working room.
void RadixSortByKey(std::vector<KeyedIndex>& entries, std::vector<KeyedIndex>& scratch);
