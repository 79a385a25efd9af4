#pragma once

#include <cstddef>
#include <cstdint>

// The checksum an Ogg page carries: CRC-32 with the polynomial 0x04C11DB7,
// no reflection, starting from zero, over the whole page with its own
// checksum field taken as zero.
uint32_t OggPageChecksum(const uint8_t* page, size_t size);
