#include "engine/platform/RingCursor.h"

#include <algorithm>
#include <cmath>
#include <cstring>

bool SplitRingRange(uint32_t ringSize, uint32_t offset, uint32_t bytes, RingRange* range) {
    if (offset >= ringSize || bytes == 0 || bytes > ringSize)
        return false;
    uint32_t untilEnd = ringSize - offset;
    range->first = RingSpan{offset, std::min(bytes, untilEnd)};
    range->second = bytes > untilEnd ? RingSpan{0, bytes - untilEnd} : RingSpan{};
    return true;
}

uint32_t CopyFromRing(const uint8_t* ring, uint32_t ringSize, uint32_t cursor, uint8_t* destination,
                      uint32_t count) {
    while (count > 0) {
        uint32_t piece = std::min(count, ringSize - cursor);
        std::memcpy(destination, ring + cursor, piece);
        destination += piece;
        count -= piece;
        cursor += piece;
        if (cursor == ringSize)
            cursor = 0;
    }
    return cursor;
}

uint64_t EstimateBytesHeard(const CallbackStamp& stamp, const DeviceTiming& timing, double now) {
    if (stamp.bytesDelivered == 0)
        return 0;
    double chunk = stamp.chunkBytes;
    double pace = stamp.chunkSeconds > 0.0 ? chunk / stamp.chunkSeconds : timing.bytesPerSecond;
    // A smoothed callback time may lie slightly ahead of the clock: the line
    // runs back from it, by at most a chunk, so the cursor stays continuous.
    double elapsed = std::clamp(now - stamp.time, -chunk / pace, (chunk + timing.latencyBytes) / pace);
    double chunkStart = static_cast<double>(stamp.bytesDelivered) - chunk;
    double heard = chunkStart - timing.latencyBytes + std::floor(elapsed * pace);
    heard = std::clamp(heard, 0.0, static_cast<double>(stamp.bytesDelivered));
    uint64_t bytes = static_cast<uint64_t>(heard);
    return bytes - bytes % timing.blockAlign;
}

RingCursor::RingCursor(uint32_t ringSize, const DeviceTiming& timing, uint64_t bytesHeard)
    : ringSize(ringSize), timing(timing), bytesHeard(bytesHeard) {}

uint32_t RingCursor::PlayPosition(const CallbackStamp& stamp, double now) {
    bytesHeard = std::max(bytesHeard, EstimateBytesHeard(stamp, timing, now));
    return static_cast<uint32_t>(bytesHeard % ringSize);
}
