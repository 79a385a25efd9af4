#pragma once

#include "engine/platform/RingCursor.h"

#include <atomic>
#include <cstdint>

// Hands the latest CallbackStamp from the device callback to the main thread
// without a lock, so the callback never waits on the frame loop. A sequence
// number, odd while a write is under way, lets the reader retry until it has
// seen all fields of one stamp together.
class CallbackStampExchange {
public:
    // Callback thread only. The odd number goes out before the fields (each
    // release store keeps the stores before it ahead of it), the even one after.
    void Publish(const CallbackStamp& stamp) {
        uint32_t start = sequence.load(std::memory_order_relaxed);
        sequence.store(start + 1, std::memory_order_relaxed);
        bytesDelivered.store(stamp.bytesDelivered, std::memory_order_release);
        chunkBytes.store(stamp.chunkBytes, std::memory_order_release);
        time.store(stamp.time, std::memory_order_release);
        chunkSeconds.store(stamp.chunkSeconds, std::memory_order_release);
        sequence.store(start + 2, std::memory_order_release);
    }

    // Acquire loads of the fields keep the second look at the sequence
    // behind them; a field written by a newer Publish shows there as a change.
    CallbackStamp Read() const {
        for (;;) {
            uint32_t before = sequence.load(std::memory_order_acquire);
            CallbackStamp stamp;
            stamp.bytesDelivered = bytesDelivered.load(std::memory_order_acquire);
            stamp.chunkBytes = chunkBytes.load(std::memory_order_acquire);
            stamp.time = time.load(std::memory_order_acquire);
            stamp.chunkSeconds = chunkSeconds.load(std::memory_order_acquire);
            uint32_t after = sequence.load(std::memory_order_relaxed);
            if (before == after && (before & 1) == 0)
                return stamp;
        }
    }

private:
    std::atomic<uint32_t> sequence{0};
    std::atomic<uint64_t> bytesDelivered{0};
    std::atomic<uint32_t> chunkBytes{0};
    std::atomic<double> time{0.0};
    std::atomic<double> chunkSeconds{0.0};
};
