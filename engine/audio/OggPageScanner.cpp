#include "engine/audio/OggPageScanner.h"

#include "engine/audio/OggChecksum.h"

#include <cstring>

namespace {

constexpr size_t kHeaderBytes = 27;
constexpr uint8_t kKnownFlags = 0x7;
constexpr uint64_t kBudgetPerByte = 4;
constexpr uint64_t kBudgetFloor = uint64_t{1} << 20;

uint32_t Little32(const uint8_t* bytes) {
    return uint32_t{bytes[0]} | uint32_t{bytes[1]} << 8 | uint32_t{bytes[2]} << 16 | uint32_t{bytes[3]} << 24;
}

}

OggPageScanner::OggPageScanner(const uint8_t* bytes, size_t size)
    : bytes(bytes), size(bytes ? size : 0), failedCheckBudget(kBudgetFloor + kBudgetPerByte * this->size) {}

bool OggPageScanner::Next(OggPage& page) {
    while (failedCheckBudget > 0 && position + kHeaderBytes <= size) {
        const void* found = std::memchr(bytes + position, 'O', size - position);
        if (!found)
            break;
        position = static_cast<size_t>(static_cast<const uint8_t*>(found) - bytes);
        if (ReadAt(position, page)) {
            position += page.size;
            return true;
        }
        ++position;
    }
    position = size;
    return false;
}

bool OggPageScanner::ReadAt(size_t offset, OggPage& page) {
    const size_t left = size - offset;
    const uint8_t* header = bytes + offset;
    if (left < kHeaderBytes || std::memcmp(header, "OggS", 4) != 0 || header[4] != 0 ||
        (header[5] & ~kKnownFlags) != 0)
        return false;
    const size_t segments = header[26];
    if (left - kHeaderBytes < segments)
        return false;
    size_t total = kHeaderBytes + segments;
    for (size_t i = 0; i < segments; ++i)
        total += header[kHeaderBytes + i];
    if (total > left)
        return false;
    if (OggPageChecksum(header, total) != Little32(header + 22)) {
        failedCheckBudget -= failedCheckBudget < total ? failedCheckBudget : total;
        return false;
    }
    page.offset = offset;
    page.size = total;
    page.bodyOffset = offset + kHeaderBytes + segments;
    page.flags = header[5];
    page.serial = Little32(header + 14);
    page.sequence = Little32(header + 18);
    return true;
}
