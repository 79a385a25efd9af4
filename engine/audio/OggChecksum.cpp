#include "engine/audio/OggChecksum.h"

#include <array>

namespace {

constexpr size_t kChecksumAt = 22;
constexpr size_t kChecksumBytes = 4;
constexpr size_t kLanes = 8;
using Tables = std::array<std::array<uint32_t, 256>, kLanes>;

// Lane 0 is the classic byte table; lane k advances a byte through k more
// zero bytes, so eight bytes are folded in at once.
constexpr Tables MakeTables() {
    Tables tables{};
    for (uint32_t i = 0; i < 256; ++i) {
        uint32_t value = i << 24;
        for (int bit = 0; bit < 8; ++bit)
            value = (value & 0x80000000u) ? (value << 1) ^ 0x04C11DB7u : value << 1;
        tables[0][i] = value;
    }
    for (size_t lane = 1; lane < kLanes; ++lane)
        for (uint32_t i = 0; i < 256; ++i)
            tables[lane][i] = (tables[lane - 1][i] << 8) ^ tables[0][tables[lane - 1][i] >> 24];
    return tables;
}

constexpr Tables kTables = MakeTables();

uint32_t Update(uint32_t crc, const uint8_t* bytes, size_t size) {
    const auto& t = kTables;
    for (; size >= kLanes; size -= kLanes, bytes += kLanes) {
        const uint32_t high = crc ^ (uint32_t{bytes[0]} << 24 | uint32_t{bytes[1]} << 16 | uint32_t{bytes[2]} << 8 |
                                     uint32_t{bytes[3]});
        crc = t[7][high >> 24] ^ t[6][(high >> 16) & 0xFF] ^ t[5][(high >> 8) & 0xFF] ^ t[4][high & 0xFF] ^
              t[3][bytes[4]] ^ t[2][bytes[5]] ^ t[1][bytes[6]] ^ t[0][bytes[7]];
    }
    for (; size > 0; --size, ++bytes)
        crc = (crc << 8) ^ t[0][(crc >> 24) ^ *bytes];
    return crc;
}

}

uint32_t OggPageChecksum(const uint8_t* page, size_t size) {
    static constexpr uint8_t kZeros[kChecksumBytes] = {};
    if (size < kChecksumAt + kChecksumBytes)
        return Update(0, page, size);
    uint32_t crc = Update(0, page, kChecksumAt);
    crc = Update(crc, kZeros, kChecksumBytes);
    return Update(crc, page + kChecksumAt + kChecksumBytes, size - kChecksumAt - kChecksumBytes);
}
