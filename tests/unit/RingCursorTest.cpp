#include "engine/platform/CallbackStampExchange.h"
#include "engine/platform/CallbackTimeFilter.h"
#include "engine/platform/RingCursor.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cmath>
#include <numeric>
#include <thread>
#include <vector>

namespace {

void ExpectSpan(const RingSpan& span, uint32_t offset, uint32_t size) {
    EXPECT_EQ(span.offset, offset);
    EXPECT_EQ(span.size, size);
}

}

TEST(RingRange, SplitsAtTheRingsEndOnly) {
    RingRange range;
    ASSERT_TRUE(SplitRingRange(1000, 100, 50, &range));
    ExpectSpan(range.first, 100, 50);
    ExpectSpan(range.second, 0, 0);

    ASSERT_TRUE(SplitRingRange(1000, 900, 100, &range)); // ends exactly at the end
    ExpectSpan(range.first, 900, 100);
    ExpectSpan(range.second, 0, 0);

    ASSERT_TRUE(SplitRingRange(1000, 900, 300, &range));
    ExpectSpan(range.first, 900, 100);
    ExpectSpan(range.second, 0, 200);

    ASSERT_TRUE(SplitRingRange(1000, 500, 1000, &range)); // the whole ring from its middle
    ExpectSpan(range.first, 500, 500);
    ExpectSpan(range.second, 0, 500);
}

TEST(RingRange, RefusesRangesOutsideTheRing) {
    RingRange range{{7, 7}, {7, 7}};
    EXPECT_FALSE(SplitRingRange(1000, 1000, 10, &range));
    EXPECT_FALSE(SplitRingRange(1000, 0, 0, &range));
    EXPECT_FALSE(SplitRingRange(1000, 0, 1001, &range));
    ExpectSpan(range.first, 7, 7);
    ExpectSpan(range.second, 7, 7);
}

TEST(RingCopy, WrapsAsOftenAsTheCountNeeds) {
    std::vector<uint8_t> ring(10);
    std::iota(ring.begin(), ring.end(), uint8_t{0});
    std::vector<uint8_t> out(4);
    EXPECT_EQ(CopyFromRing(ring.data(), 10, 8, out.data(), 4), 2u);
    EXPECT_EQ(out, (std::vector<uint8_t>{8, 9, 0, 1}));

    EXPECT_EQ(CopyFromRing(ring.data(), 10, 6, out.data(), 4), 0u); // lands on the end: back to 0
    EXPECT_EQ(out, (std::vector<uint8_t>{6, 7, 8, 9}));

    std::vector<uint8_t> laps(23);
    EXPECT_EQ(CopyFromRing(ring.data(), 10, 5, laps.data(), 23), 8u);
    for (size_t i = 0; i < laps.size(); ++i)
        EXPECT_EQ(laps[i], (5 + i) % 10) << i;
}

TEST(HeardBytes, InterpolateWithinTheLastChunkOnly) {
    DeviceTiming timing{176400, 4, 0};
    CallbackStamp stamp{40960, 4096, 8.0}; // chunk [36864, 40960) handed over at 8 s
    EXPECT_EQ(EstimateBytesHeard(CallbackStamp{}, timing, 3.0), 0u);
    EXPECT_EQ(EstimateBytesHeard(stamp, timing, 8.0), 36864u);
    // Before the stamp's time the line runs back, at most by one chunk.
    EXPECT_EQ(EstimateBytesHeard(stamp, timing, 8.0 - 1.0 / 64), 36864u - 2760u); // rounded down
    EXPECT_EQ(EstimateBytesHeard(stamp, timing, 7.0), 36864u - 4096u);
    // 1/64 s is 2756.25 bytes: 689 whole frames.
    EXPECT_EQ(EstimateBytesHeard(stamp, timing, 8.0 + 1.0 / 64), 36864u + 2756u);
    // Whole frames only: 1/8192 s is 21.5 bytes, so 20.
    EXPECT_EQ(EstimateBytesHeard(stamp, timing, 8.0 + 1.0 / 8192), 36864u + 20u);
    // Never ahead of what the device was given, however late the next callback.
    EXPECT_EQ(EstimateBytesHeard(stamp, timing, 8.5), 40960u);
    EXPECT_EQ(EstimateBytesHeard(stamp, timing, 1e12), 40960u);
}

TEST(HeardBytes, LagByTheDevicesQueueButRunOnThroughIt) {
    DeviceTiming timing{176400, 4, 4096};
    CallbackStamp stamp{40960, 4096, 8.0};
    EXPECT_EQ(EstimateBytesHeard(stamp, timing, 8.0), 36864u - 4096u);
    // A callback that wakes late does not stall the cursor while the queue
    // still plays, but the cursor never passes what the device was given.
    EXPECT_EQ(EstimateBytesHeard(stamp, timing, 8.0 + 1.0 / 32), 36864u - 4096u + 5512u);
    EXPECT_EQ(EstimateBytesHeard(stamp, timing, 8.5), 40960u);
    // At the start the queue is still being filled: nothing heard yet, not a wrapped count.
    EXPECT_EQ(EstimateBytesHeard(CallbackStamp{4096, 4096, 8.0}, timing, 8.001), 0u);
}

TEST(CallbackTimes, FollowTheDevicesOwnPaceThroughWakeUpNoise) {
    // Nominal 1024-frame chunks, but the device takes one every 23.10 ms, and
    // its thread wakes up to 0.5 ms late.
    const double nominal = 1024.0 / 44100.0;
    const double actual = 0.02310;
    CallbackTimeFilter filter;
    uint32_t noise = 7;
    double rawSquares = 0.0;
    double smoothedSquares = 0.0;
    double periods = 0.0;
    int settled = 0;
    for (int k = 0; k < 2000; ++k) {
        noise = noise * 1103515245u + 12345u;
        double lateness = 0.0005 * ((noise >> 16) & 0xFF) / 255.0;
        double ideal = 1.0 + k * actual;
        SmoothedCallback smoothed = filter.Smooth(ideal + lateness, nominal);
        if (k > 400) {
            // The loop settles on the mean lateness, 0.25 ms.
            rawSquares += (lateness - 0.00025) * (lateness - 0.00025);
            smoothedSquares += (smoothed.time - ideal - 0.00025) * (smoothed.time - ideal - 0.00025);
            periods += smoothed.period;
            ++settled;
        }
    }
    EXPECT_LT(std::sqrt(smoothedSquares / settled), std::sqrt(rawSquares / settled) / 2);
    EXPECT_NEAR(periods / settled, actual, 1e-6);
}

TEST(CallbackTimes, RestartAfterAPause) {
    const double period = 1024.0 / 44100.0;
    CallbackTimeFilter filter;
    EXPECT_EQ(filter.Smooth(5.0, period).time, 5.0);
    SmoothedCallback next = filter.Smooth(5.0 + period + 0.001, period);
    EXPECT_NEAR(next.time, 5.0 + period, 1e-12);
    EXPECT_GT(next.period, period); // pulled towards the late callback
    SmoothedCallback restarted = filter.Smooth(9.0, period);
    EXPECT_EQ(restarted.time, 9.0);
    EXPECT_EQ(restarted.period, period);
}

TEST(RingCursorClock, NeverMovesBackwardsAndWraps) {
    RingCursor cursor(352800, DeviceTiming{176400, 4, 0});
    EXPECT_EQ(cursor.PlayPosition(CallbackStamp{4096, 4096, 1.0}, 1.02), 3528u);
    // A clock read that comes out earlier than the last one, or a stale
    // stamp, would put the estimate behind what was reported: the cursor holds.
    EXPECT_EQ(cursor.PlayPosition(CallbackStamp{4096, 4096, 1.0}, 1.01), 3528u);
    EXPECT_EQ(cursor.PlayPosition(CallbackStamp{8192, 4096, 1.03}, 1.03), 4096u);
    EXPECT_EQ(cursor.PlayPosition(CallbackStamp{4096, 4096, 1.0}, 1.5), 4096u);
    EXPECT_EQ(cursor.BytesHeard(), 4096u);
    // Past the first lap the offset wraps, the total does not.
    EXPECT_EQ(cursor.PlayPosition(CallbackStamp{352800 + 8192, 4096, 5.0}, 5.1), 8192u);
    EXPECT_EQ(cursor.BytesHeard(), 352800u + 8192u);
}

// A device that takes 1024-frame chunks slightly faster than its nominal pace,
// served by a thread that wakes up to 0.5 ms late, read by a steady 60 Hz
// frame loop: every frame moves the cursor by 1/60 s, give or take far less
// than a millisecond, and never backwards.
double WorstFrameDeviation(uint32_t latencyBytes, bool smoothed) {
    const uint32_t chunk = 4096;
    const double period = 0.02310; // the chunk holds 0.023220 s of sound
    std::vector<double> wakes;
    uint32_t noise = 1;
    for (int k = 0; k < 600; ++k) {
        noise = noise * 1103515245u + 12345u;
        wakes.push_back(k * period + 0.0005 * ((noise >> 16) & 0xFF) / 255.0);
    }
    CallbackTimeFilter filter;
    std::vector<CallbackStamp> stamps;
    for (size_t k = 0; k < wakes.size(); ++k) {
        SmoothedCallback called = filter.Smooth(wakes[k], chunk / 176400.0);
        if (smoothed)
            stamps.push_back(CallbackStamp{(k + 1) * chunk, chunk, called.time, called.period});
        else
            stamps.push_back(CallbackStamp{(k + 1) * chunk, chunk, wakes[k], 0.0});
    }
    RingCursor cursor(352800, DeviceTiming{176400, 4, latencyBytes});
    size_t next = 0;
    double previous = -1.0;
    double worst = 0.0;
    for (int frame = 1; frame < 750; ++frame) {
        double now = 1.0 + frame / 60.0;
        while (next + 1 < stamps.size() && wakes[next + 1] <= now)
            ++next;
        cursor.PlayPosition(stamps[next], now);
        double seconds = static_cast<double>(cursor.BytesHeard()) / 176400.0;
        if (previous >= 0.0) {
            EXPECT_GE(seconds, previous);
            worst = std::max(worst, std::fabs((seconds - previous) - 1.0 / 60.0));
        }
        previous = seconds;
    }
    return worst;
}

TEST(RingCursorClock, SteadyFramesSeeSteadyDeltas) {
    double raw = WorstFrameDeviation(0, false);
    double smoothed = WorstFrameDeviation(0, true);
    double queued = WorstFrameDeviation(4096, true);
    // Raw wake-up times pass the thread's lateness on to the picture; the
    // loop leaves only the wait for a late callback's bytes, which a device
    // with a queue does not even have to make.
    EXPECT_LT(raw, 0.001);
    EXPECT_LT(smoothed, 0.0003);
    EXPECT_LT(queued, 0.0002);
    std::printf("[ figures  ] simulated worst frame deviation: raw %.3f ms, smoothed %.3f ms, queued %.3f ms\n",
                raw * 1000, smoothed * 1000, queued * 1000);
}

TEST(CallbackStampHandOver, ReaderNeverSeesAMixOfTwoStamps) {
    CallbackStampExchange exchange;
    std::atomic<bool> done{false};
    std::thread callback([&] {
        for (uint32_t i = 1; i <= 200000; ++i)
            exchange.Publish(CallbackStamp{uint64_t{i} * 4096, i, i * 0.5});
        done = true;
    });
    uint64_t last = 0;
    while (!done) {
        CallbackStamp stamp = exchange.Read();
        ASSERT_EQ(stamp.bytesDelivered, uint64_t{stamp.chunkBytes} * 4096);
        ASSERT_EQ(stamp.time, stamp.chunkBytes * 0.5);
        ASSERT_GE(stamp.bytesDelivered, last);
        last = stamp.bytesDelivered;
    }
    callback.join();
    EXPECT_EQ(exchange.Read().bytesDelivered, uint64_t{200000} * 4096);
}
