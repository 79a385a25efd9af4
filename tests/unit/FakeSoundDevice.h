#pragma once

#include "engine/platform/RingCursor.h"
#include "engine/platform/SoundDevice.h"

#include <cstdint>
#include <memory>
#include <vector>

// What the fakes saw; owned by the test, so it outlives the player.
struct FakeSoundLog {
    struct LockCall {
        uint32_t offset;
        uint32_t bytes;
        uint32_t flags;
    };
    std::vector<PcmFormat> formats;
    std::vector<uint32_t> bufferSizes;
    std::vector<LockCall> locks;
    int cooperativeCalls = 0;
    CooperativeLevel level = CooperativeLevel::Normal;
    int plays = 0;
    int stops = 0;
    int unlocks = 0;
    int buffersDestroyed = 0;
    std::vector<uint32_t> cursorMoves;
};

// A sound buffer whose play cursor the test sets by hand.
class FakeSoundBuffer : public SoundBuffer {
public:
    FakeSoundBuffer(FakeSoundLog* log, uint32_t size) : ring(size, 0xA5), log(log) {}
    ~FakeSoundBuffer() override { ++log->buffersDestroyed; }

    bool Lock(uint32_t offset, uint32_t bytes, void** region1, uint32_t* size1, void** region2, uint32_t* size2,
              uint32_t flags) override {
        log->locks.push_back({offset, bytes, flags});
        uint32_t size = static_cast<uint32_t>(ring.size());
        RingRange range;
        if (failLocks || !SplitRingRange(size, offset, (flags & kLockEntireBuffer) ? size : bytes, &range))
            return false;
        *region1 = ring.data() + range.first.offset;
        *size1 = range.first.size;
        *region2 = range.second.size ? ring.data() + range.second.offset : nullptr;
        *size2 = range.second.size;
        return true;
    }
    bool Unlock(void*, uint32_t, void*, uint32_t) override {
        ++log->unlocks;
        return true;
    }
    bool Play() override {
        ++log->plays;
        return true;
    }
    bool Stop() override {
        ++log->stops;
        return true;
    }
    bool GetCurrentPosition(uint32_t* play, uint32_t* write) override {
        if (play)
            *play = cursor;
        if (write)
            *write = cursor;
        return true;
    }
    bool SetCurrentPosition(uint32_t play) override {
        log->cursorMoves.push_back(play);
        if (play >= ring.size())
            return false;
        cursor = play;
        return true;
    }

    std::vector<uint8_t> ring; // starts as a pattern no decoder writes on its own
    uint32_t cursor = 0;
    bool failLocks = false;

private:
    FakeSoundLog* log;
};

class FakeSoundDevice : public SoundDevice {
public:
    explicit FakeSoundDevice(FakeSoundLog* log) : log(log) {}

    bool SetCooperativeLevel(void*, CooperativeLevel level) override {
        ++log->cooperativeCalls;
        log->level = level;
        return true;
    }
    std::unique_ptr<SoundBuffer> CreateSoundBuffer(const PcmFormat& format, uint32_t bytes) override {
        log->formats.push_back(format);
        log->bufferSizes.push_back(bytes);
        if (refuseBuffers)
            return nullptr;
        auto buffer = std::make_unique<FakeSoundBuffer>(log, bytes);
        lastBuffer = buffer.get();
        return buffer;
    }

    bool refuseBuffers = false;
    FakeSoundBuffer* lastBuffer = nullptr; // owned by whoever asked for it

private:
    FakeSoundLog* log;
};
