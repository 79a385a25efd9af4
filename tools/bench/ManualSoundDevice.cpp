#include "tools/bench/ManualSoundDevice.h"

#include "engine/platform/RingCursor.h"

bool ManualSoundBuffer::Lock(uint32_t offset, uint32_t bytes, void** region1, uint32_t* size1, void** region2,
                             uint32_t* size2, uint32_t flags) {
    const uint32_t size = static_cast<uint32_t>(ring.size());
    RingRange range;
    if (!SplitRingRange(size, offset, (flags & kLockEntireBuffer) ? size : bytes, &range))
        return false;
    *region1 = ring.data() + range.first.offset;
    *size1 = range.first.size;
    *region2 = range.second.size ? ring.data() + range.second.offset : nullptr;
    *size2 = range.second.size;
    return true;
}

bool ManualSoundBuffer::GetCurrentPosition(uint32_t* playCursor, uint32_t* writeCursor) {
    if (playCursor)
        *playCursor = cursor;
    if (writeCursor)
        *writeCursor = cursor;
    return true;
}

bool ManualSoundBuffer::SetCurrentPosition(uint32_t playCursor) {
    if (playCursor >= ring.size())
        return false;
    cursor = playCursor;
    return true;
}

std::unique_ptr<SoundBuffer> ManualSoundDevice::CreateSoundBuffer(const PcmFormat&, uint32_t bytes) {
    auto buffer = std::make_unique<ManualSoundBuffer>(bytes);
    *made = buffer.get();
    return buffer;
}
