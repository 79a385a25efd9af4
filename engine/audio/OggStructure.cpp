#include "engine/audio/OggStructure.h"

#include <cstring>

namespace {

constexpr uint32_t kHeaderBytes = 27;
constexpr uint8_t kContinued = 0x1;
constexpr uint8_t kFirstPage = 0x2;
constexpr uint8_t kLastPage = 0x4;

uint32_t Little32(const uint8_t* bytes) {
    return uint32_t{bytes[0]} | uint32_t{bytes[1]} << 8 | uint32_t{bytes[2]} << 16 | uint32_t{bytes[3]} << 24;
}

struct Page {
    uint8_t flags = 0;
    uint32_t serial = 0;
    uint32_t sequence = 0;
    uint32_t size = 0;
};

enum class PageRead { Whole, CutShort, Bad };

// The page at `offset`: a whole one, the start of one the file ends inside
// (a track cut short still plays what it holds), or anything else.
PageRead ReadPage(const uint8_t* bytes, uint32_t size, uint32_t offset, Page& page) {
    const uint32_t left = size - offset;
    const uint8_t* header = bytes + offset;
    if (std::memcmp(header, "OggS", left < 4 ? left : 4) != 0)
        return PageRead::Bad;
    if (left < kHeaderBytes)
        return PageRead::CutShort;
    if (header[4] != 0 || (header[5] & ~(kContinued | kFirstPage | kLastPage)) != 0)
        return PageRead::Bad;
    const uint32_t segments = header[26];
    if (left - kHeaderBytes < segments)
        return PageRead::CutShort;
    uint64_t body = 0;
    for (uint32_t i = 0; i < segments; ++i)
        body += header[kHeaderBytes + i];
    const uint64_t total = uint64_t{kHeaderBytes} + segments + body;
    if (total > left)
        return PageRead::CutShort;
    page.flags = header[5];
    page.serial = Little32(header + 14);
    page.sequence = Little32(header + 18);
    page.size = static_cast<uint32_t>(total);
    return PageRead::Whole;
}

}

bool IsPlainOggStream(const uint8_t* bytes, uint32_t size) {
    Page first;
    if (!bytes || size == 0 || ReadPage(bytes, size, 0, first) != PageRead::Whole || !(first.flags & kFirstPage) ||
        first.sequence != 0)
        return false;
    uint32_t offset = 0;
    Page page = first;
    // Pages may be missing (a hole plays on), but never come back or repeat.
    uint64_t lowest = 0;
    for (;;) {
        if (page.serial != first.serial || page.sequence < lowest || (offset != 0 && (page.flags & kFirstPage)))
            return false;
        lowest = uint64_t{page.sequence} + 1;
        offset += page.size;
        if (page.flags & kLastPage)
            return offset == size;
        if (offset == size)
            return true;
        const PageRead next = ReadPage(bytes, size, offset, page);
        if (next != PageRead::Whole)
            return next == PageRead::CutShort;
    }
}
