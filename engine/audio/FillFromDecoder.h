#pragma once

#include <cstdint>
#include <functional>

// One decoder read into `destination` of at most `bytes` bytes: the number of
// bytes written, 0 at the end of the track, or a negative error code.
using DecoderRead = std::function<long(char* destination, int bytes)>;

struct FillResult {
    uint32_t bytesDecoded = 0;  // from the region's start on
    bool trackEnded = false;    // the decoder has nothing more to give
    bool decoderFailed = false; // ... because it broke, not because the track is over
};

// The most holes one fill skips before it gives the track up.
constexpr int kMaxHolesPerFill = 32;

// Decodes into the region until it is full or the track ends. A hole in the
// stream is skipped, a bounded number of times; any other error, or a read
// that claims more than was asked for, ends the track there and counts as a
// failed decoder. So a damaged
// stream can neither write outside the region nor keep the loop turning.
FillResult FillFromDecoder(uint8_t* region, uint32_t size, const DecoderRead& read);
