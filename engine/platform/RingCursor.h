#pragma once

#include <cstdint>

// The byte arithmetic of a looping sound buffer that a device callback drains:
// where a locked range lies, how the callback's read cursor wraps, and which
// byte is being heard between two callbacks.

// One stretch of the ring.
struct RingSpan {
    uint32_t offset = 0;
    uint32_t size = 0;
};

// A range of the ring: the stretch up to the ring's end, then the stretch
// that continues at its start (size 0 when the range does not wrap).
struct RingRange {
    RingSpan first;
    RingSpan second;
};

// Splits `bytes` bytes from `offset` on. False, with `range` untouched, when
// the offset lies outside the ring or the byte count is 0 or exceeds the ring.
bool SplitRingRange(uint32_t ringSize, uint32_t offset, uint32_t bytes, RingRange* range);

// Copies `count` bytes from the ring at `cursor` into `destination`, going on
// at the ring's start as often as needed; returns the cursor after the last
// byte copied.
uint32_t CopyFromRing(const uint8_t* ring, uint32_t ringSize, uint32_t cursor, uint8_t* destination,
                      uint32_t count);

// What the device callback did last: the bytes handed to the device in all
// after it returned, the size of its chunk, when it was called (seconds on
// the program's monotonic clock) and, if known, how long the device really
// takes to play one chunk (0: the nominal pace). All zero before the first
// callback.
struct CallbackStamp {
    uint64_t bytesDelivered = 0;
    uint32_t chunkBytes = 0;
    double time = 0.0;
    double chunkSeconds = 0.0;
};

// How the device turns bytes into sound: its pace, its frame size and how
// many bytes it holds queued beyond the callback's chunk before they are heard.
struct DeviceTiming {
    uint32_t bytesPerSecond = 0;
    uint32_t blockAlign = 1;
    uint32_t latencyBytes = 0;
};

// The bytes heard by `now`. At the callback's time everything before its
// chunk had been taken, and the device's queue was still to be heard; the
// device moves at its pace on either side of that time, but is never heard
// past what it was given. Whole frames only.
uint64_t EstimateBytesHeard(const CallbackStamp& stamp, const DeviceTiming& timing, double now);

// The play cursor the buffer reports: the estimate above, held so that it
// never moves backwards, as a byte offset into the ring.
class RingCursor {
public:
    // The cursor starts at `bytesHeard` bytes, the count the stamps go on from.
    RingCursor(uint32_t ringSize, const DeviceTiming& timing, uint64_t bytesHeard = 0);

    uint32_t PlayPosition(const CallbackStamp& stamp, double now);
    // The bytes heard in all, as last reported.
    uint64_t BytesHeard() const { return bytesHeard; }

private:
    uint32_t ringSize;
    DeviceTiming timing;
    uint64_t bytesHeard = 0;
};
