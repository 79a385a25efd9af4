#pragma once

// Ogg streams edited in place: every page carries a CRC-32 of itself, so a
// test or fuzzer that changes bytes must repair the checksums, or the
// decoder rejects the page before it reaches what was changed.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace oggpages {

constexpr size_t kHeaderBytes = 27;
constexpr size_t kChecksumAt = 22;
constexpr size_t kSegmentCountAt = 26;

inline uint32_t Checksum(const uint8_t* bytes, size_t size) {
    static const std::vector<uint32_t> table = [] {
        std::vector<uint32_t> entries(256);
        for (uint32_t i = 0; i < 256; ++i) {
            uint32_t value = i << 24;
            for (int bit = 0; bit < 8; ++bit)
                value = (value & 0x80000000u) ? (value << 1) ^ 0x04C11DB7u : value << 1;
            entries[i] = value;
        }
        return entries;
    }();
    uint32_t crc = 0;
    for (size_t i = 0; i < size; ++i)
        crc = (crc << 8) ^ table[((crc >> 24) ^ bytes[i]) & 0xFF];
    return crc;
}

// A page of one body of at most 255 x 255 bytes, with its checksum.
inline std::vector<uint8_t> MakePage(uint8_t flags, uint32_t serial, uint32_t sequence,
                                     const std::vector<uint8_t>& body) {
    std::vector<uint8_t> page = {'O', 'g', 'g', 'S', 0, flags, 0, 0, 0, 0, 0, 0, 0, 0};
    for (uint32_t value : {serial, sequence, 0u})
        for (int i = 0; i < 4; ++i)
            page.push_back(static_cast<uint8_t>(value >> (8 * i)));
    page.push_back(static_cast<uint8_t>(body.size() / 255 + 1));
    page.insert(page.end(), body.size() / 255, 255);
    page.push_back(static_cast<uint8_t>(body.size() % 255));
    page.insert(page.end(), body.begin(), body.end());
    const uint32_t crc = Checksum(page.data(), page.size());
    for (size_t i = 0; i < 4; ++i)
        page[kChecksumAt + i] = static_cast<uint8_t>(crc >> (8 * i));
    return page;
}

// Recomputes the checksum of every whole page from the start; stops at the
// first byte that does not begin one.
inline void RepairChecksums(std::vector<uint8_t>& bytes) {
    size_t page = 0;
    while (page + kHeaderBytes <= bytes.size() && bytes[page] == 'O' && bytes[page + 1] == 'g' &&
           bytes[page + 2] == 'g' && bytes[page + 3] == 'S') {
        const size_t segments = bytes[page + kSegmentCountAt];
        if (page + kHeaderBytes + segments > bytes.size())
            return;
        size_t size = kHeaderBytes + segments;
        for (size_t i = 0; i < segments; ++i)
            size += bytes[page + kHeaderBytes + i];
        if (page + size > bytes.size())
            return;
        for (size_t i = 0; i < 4; ++i)
            bytes[page + kChecksumAt + i] = 0;
        const uint32_t crc = Checksum(bytes.data() + page, size);
        for (size_t i = 0; i < 4; ++i)
            bytes[page + kChecksumAt + i] = static_cast<uint8_t>(crc >> (8 * i));
        page += size;
    }
}

}
