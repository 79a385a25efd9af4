#pragma once

#include <cstddef>
#include <cstdint>

// A whole, intact page of an Ogg file: where it lies and what its header says.
struct OggPage {
    size_t offset = 0;  // of its capture pattern
    size_t size = 0;    // header, segment table and body
    size_t bodyOffset = 0;
    uint8_t flags = 0;
    uint32_t serial = 0;
    uint32_t sequence = 0;

    bool Begins() const { return (flags & 0x2) != 0; }
    bool Ends() const { return (flags & 0x4) != 0; }
};

// Walks the pages of untrusted bytes in file order. A page counts when its
// header is version 0 with known flags, it lies whole inside the bytes and
// its checksum matches; anything else (stray bytes, a damaged page, a page
// the file ends inside) is skipped up to the next capture pattern, as the
// container library resynchronises. Without the checksum a capture pattern
// among stray bytes could claim up to 64 KiB and hide the real pages after it.
class OggPageScanner {
public:
    OggPageScanner(const uint8_t* bytes, size_t size);

    // The next page; false once none is left.
    bool Next(OggPage& page);

private:
    bool ReadAt(size_t offset, OggPage& page);

    const uint8_t* bytes;
    size_t size;
    size_t position = 0;
    // Checksums of candidates that fail cost up to 64 KiB each, and a
    // capture pattern can start every few bytes: past this many bytes of
    // failed checks the rest of the file is taken as absent, so that hostile
    // bytes cannot make the scan quadratic.
    uint64_t failedCheckBudget;
};
