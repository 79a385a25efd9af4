#include "engine/platform/sdl/SdlSoundBuffer.h"

#include "engine/platform/SystemServices.h"

#include <cstring>

namespace {

bool IsPlayableFormat(const PcmFormat& format, uint32_t bytes) {
    bool knownDepth = format.bitsPerSample == 8 || format.bitsPerSample == 16;
    bool consistent = format.blockAlign == format.channels * format.bitsPerSample / 8 &&
                      format.averageBytesPerSecond == format.samplesPerSecond * format.blockAlign;
    return knownDepth && format.channels >= 1 && format.channels <= 8 && format.samplesPerSecond > 0 &&
           consistent && bytes > 0 && bytes % format.blockAlign == 0;
}

// At most 25 ms per device period, a power of two of frames (1024 at 44.1 kHz).
Uint16 PeriodFrames(uint32_t samplesPerSecond) {
    Uint16 frames = 64;
    while (frames < 8192 && frames * 2u <= samplesPerSecond / 40)
        frames *= 2;
    return frames;
}

// The file and null drivers write each chunk out as the callback returns it;
// a sound card keeps about one more period queued before it is heard.
uint32_t QueuedBeyondChunk(const SDL_AudioSpec& obtained, uint32_t blockAlign) {
    const char* driver = SDL_GetCurrentAudioDriver();
    bool immediate = driver && (std::strcmp(driver, "disk") == 0 || std::strcmp(driver, "dummy") == 0);
    return immediate ? 0 : obtained.samples * blockAlign;
}

}

std::unique_ptr<SdlSoundBuffer> SdlSoundBuffer::Create(const PcmFormat& format, uint32_t bytes) {
    if (!IsPlayableFormat(format, bytes))
        return nullptr;
    std::unique_ptr<SdlSoundBuffer> buffer(new SdlSoundBuffer(bytes, format.averageBytesPerSecond, format.blockAlign));
    if (!buffer->OpenDevice(format))
        return nullptr;
    return buffer;
}

SdlSoundBuffer::SdlSoundBuffer(uint32_t bytes, uint32_t bytesPerSecond, uint32_t blockAlign)
    : ring(bytes, 0), timing{bytesPerSecond, blockAlign, 0}, playCursor(bytes, timing) {}

SdlSoundBuffer::~SdlSoundBuffer() {
    // Closing waits for a running callback, so the ring outlives every read.
    if (deviceId != 0)
        SDL_CloseAudioDevice(deviceId);
    if (audioInitialized)
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool SdlSoundBuffer::OpenDevice(const PcmFormat& format) {
    // A reference of its own keeps the device valid even if the SoundDevice goes first.
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return false;
    audioInitialized = true;
    SDL_AudioSpec desired{};
    desired.freq = static_cast<int>(format.samplesPerSecond);
    desired.format = format.bitsPerSample == 8 ? AUDIO_U8 : AUDIO_S16LSB;
    desired.channels = static_cast<Uint8>(format.channels);
    desired.samples = PeriodFrames(format.samplesPerSecond);
    desired.callback = FeedDevice;
    desired.userdata = this;
    SDL_AudioSpec obtained{};
    // No changes allowed: SDL converts to whatever the hardware takes.
    deviceId = SDL_OpenAudioDevice(nullptr, 0, &desired, &obtained, 0);
    if (deviceId == 0)
        return false;
    timing.latencyBytes = QueuedBeyondChunk(obtained, format.blockAlign);
    playCursor = RingCursor(static_cast<uint32_t>(ring.size()), timing);
    return true;
}

bool SdlSoundBuffer::Lock(uint32_t offset, uint32_t bytes, void** region1, uint32_t* size1, void** region2,
                          uint32_t* size2, uint32_t flags) {
    if (!region1 || !size1)
        return false;
    uint32_t ringSize = static_cast<uint32_t>(ring.size());
    RingRange range;
    if (!SplitRingRange(ringSize, offset, (flags & kLockEntireBuffer) ? ringSize : bytes, &range))
        return false;
    if (range.second.size > 0 && (!region2 || !size2))
        return false;
    *region1 = ring.data() + range.first.offset;
    *size1 = range.first.size;
    if (region2 && size2) {
        *region2 = range.second.size > 0 ? ring.data() + range.second.offset : nullptr;
        *size2 = range.second.size;
    }
    return true;
}

bool SdlSoundBuffer::Unlock(void* region1, uint32_t /*size1*/, void* /*region2*/, uint32_t /*size2*/) {
    uint8_t* start = static_cast<uint8_t*>(region1);
    if (start < ring.data() || start >= ring.data() + ring.size())
        return false;
    unlocks.fetch_add(1, std::memory_order_release);
    return true;
}

bool SdlSoundBuffer::Play() {
    SDL_PauseAudioDevice(deviceId, 0);
    return true;
}

bool SdlSoundBuffer::Stop() {
    SDL_PauseAudioDevice(deviceId, 1);
    return true;
}

bool SdlSoundBuffer::GetCurrentPosition(uint32_t* playCursorOut, uint32_t* writeCursorOut) {
    if (playCursorOut)
        *playCursorOut = playCursor.PlayPosition(stamps.Read(), Now());
    if (writeCursorOut)
        *writeCursorOut = readCursor.load(std::memory_order_acquire);
    return true;
}

// With the device locked the callback cannot run, so its own counters may be
// set here. The count of bytes delivered restarts at the new offset, and the
// cursor with it: it reports that offset until the device has played on.
bool SdlSoundBuffer::SetCurrentPosition(uint32_t playCursorOffset) {
    if (playCursorOffset >= ring.size())
        return false;
    SDL_LockAudioDevice(deviceId);
    readCursor.store(playCursorOffset, std::memory_order_relaxed);
    bytesDelivered = playCursorOffset;
    callbackTimes = CallbackTimeFilter();
    stamps.Publish(CallbackStamp{bytesDelivered, 0, Now(), 0.0});
    playCursor = RingCursor(static_cast<uint32_t>(ring.size()), timing, playCursorOffset);
    SDL_UnlockAudioDevice(deviceId);
    return true;
}

void SDLCALL SdlSoundBuffer::FeedDevice(void* self, Uint8* stream, int length) {
    static_cast<SdlSoundBuffer*>(self)->Feed(stream, static_cast<uint32_t>(length));
}

void SdlSoundBuffer::Feed(uint8_t* stream, uint32_t length) {
    if (length == 0)
        return;
    SmoothedCallback called = callbackTimes.Smooth(Now(), static_cast<double>(length) / timing.bytesPerSecond);
    unlocks.load(std::memory_order_acquire);
    uint32_t cursor = readCursor.load(std::memory_order_relaxed);
    cursor = CopyFromRing(ring.data(), static_cast<uint32_t>(ring.size()), cursor, stream, length);
    readCursor.store(cursor, std::memory_order_release);
    bytesDelivered += length;
    stamps.Publish(CallbackStamp{bytesDelivered, length, called.time, called.period});
}

double SdlSoundBuffer::Now() {
    return static_cast<double>(platform::PerformanceCounter()) / static_cast<double>(platform::PerformanceFrequency());
}
