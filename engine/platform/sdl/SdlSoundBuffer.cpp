#include "engine/platform/sdl/SdlSoundBuffer.h"

#include "engine/platform/SystemServices.h"
#include "engine/platform/sdl/SdlSystem.h"

#include <chrono>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <thread>

namespace {

bool IsPlayableFormat(const PcmFormat& format, uint32_t bytes) {
    bool knownDepth = format.bitsPerSample == 8 || format.bitsPerSample == 16;
    bool consistent = format.blockAlign == format.channels * format.bitsPerSample / 8 &&
                      format.averageBytesPerSecond == format.samplesPerSecond * format.blockAlign;
    return knownDepth && format.channels >= 1 && format.channels <= 8 && format.samplesPerSecond > 0 &&
           consistent && bytes > 0 && bytes % format.blockAlign == 0;
}

// The file and null drivers write each chunk out as the callback returns it.
// SDL asks a PulseAudio server for a one-period stream and calls back once a
// period is free, when the chunk before has gone to the sink: nothing of the
// stream's own is still queued. A sound card keeps about one more period
// queued before it is heard.
uint32_t QueuedBeyondChunk(const SDL_AudioSpec& obtained, uint32_t blockAlign) {
    const char* driver = SDL_GetCurrentAudioDriver();
    bool immediate = driver && (std::strcmp(driver, "disk") == 0 || std::strcmp(driver, "dummy") == 0 ||
                                std::strcmp(driver, "pulseaudio") == 0);
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

// At most 100 ms per device period, a power of two of frames (4096 at 44.1
// kHz). A sound server keeps about one period queued for the stream: with
// 23 ms it ran dry a few times a minute while the show drew on every core.
// The play cursor counts that queue in, so the picture stays with the sound.
Uint16 SdlSoundBuffer::PeriodFrames(uint32_t samplesPerSecond) {
    Uint16 frames = 256;
    while (frames < 8192 && frames * 2u <= samplesPerSecond / 10)
        frames *= 2;
    return frames;
}

SdlSoundBuffer::SdlSoundBuffer(uint32_t bytes, uint32_t bytesPerSecond, uint32_t blockAlign)
    : stream(std::make_shared<Stream>(bytes)), playCursor(bytes, DeviceTiming{bytesPerSecond, blockAlign, 0}) {
    stream->timing = DeviceTiming{bytesPerSecond, blockAlign, 0};
}

SdlSoundBuffer::~SdlSoundBuffer() {
    if (deviceId != 0)
        Close();
    else if (audioInitialized)
        platform::RunSdlAudioCall([] { SDL_QuitSubSystem(SDL_INIT_AUDIO); });
}

// SDL closes a device only once its audio thread has come back from the
// server, which a stalled server never lets it do. So the close runs on a
// thread of its own that keeps the stream alive; if it has not finished in
// time, the device stays open, paused and silent, and so does SDL's audio.
void SdlSoundBuffer::Close() {
    stream->silent.store(true, std::memory_order_relaxed);
    SDL_PauseAudioDevice(deviceId, 1);
    struct Closing {
        std::mutex mutex;
        std::condition_variable done;
        bool closed = false;
    };
    auto closing = std::make_shared<Closing>();
    std::thread closer([closing, id = deviceId, keep = stream] {
        platform::RunSdlAudioCall([id] { SDL_CloseAudioDevice(id); });
        std::lock_guard<std::mutex> lock(closing->mutex);
        closing->closed = true;
        closing->done.notify_all();
    });
    std::unique_lock<std::mutex> lock(closing->mutex);
    if (closing->done.wait_for(lock, std::chrono::duration<double>(kCloseSeconds), [&] { return closing->closed; })) {
        lock.unlock();
        closer.join();
        if (audioInitialized)
            platform::RunSdlAudioCall([] { SDL_QuitSubSystem(SDL_INIT_AUDIO); });
        return;
    }
    closer.detach();
}

bool SdlSoundBuffer::OpenDevice(const PcmFormat& format) {
    // A reference of its own keeps the device valid even if the SoundDevice goes first.
    bool started = false;
    platform::RunSdlAudioCall([&] { started = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0; });
    if (!started)
        return false;
    audioInitialized = true;
    SDL_AudioSpec desired{};
    desired.freq = static_cast<int>(format.samplesPerSecond);
    desired.format = format.bitsPerSample == 8 ? AUDIO_U8 : AUDIO_S16LSB;
    desired.channels = static_cast<Uint8>(format.channels);
    desired.samples = PeriodFrames(format.samplesPerSecond);
    desired.callback = FeedDevice;
    desired.userdata = stream.get();
    SDL_AudioSpec obtained{};
    // No changes allowed: SDL converts to whatever the hardware takes.
    platform::RunSdlAudioCall([&] { deviceId = SDL_OpenAudioDevice(nullptr, 0, &desired, &obtained, 0); });
    if (deviceId == 0)
        return false;
    stream->timing.latencyBytes = QueuedBeyondChunk(obtained, format.blockAlign);
    playCursor = RingCursor(static_cast<uint32_t>(stream->ring.size()), stream->timing);
    return true;
}

bool SdlSoundBuffer::Lock(uint32_t offset, uint32_t bytes, void** region1, uint32_t* size1, void** region2,
                          uint32_t* size2, uint32_t flags) {
    if (!region1 || !size1)
        return false;
    std::vector<uint8_t>& ring = stream->ring;
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
    const std::vector<uint8_t>& ring = stream->ring;
    uint8_t* start = static_cast<uint8_t*>(region1);
    if (start < ring.data() || start >= ring.data() + ring.size())
        return false;
    stream->unlocks.fetch_add(1, std::memory_order_release);
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
        *playCursorOut = playCursor.PlayPosition(stream->stamps.Read(), Now());
    if (writeCursorOut)
        *writeCursorOut = stream->readCursor.load(std::memory_order_acquire);
    return true;
}

// SDL stops a device for good when its output goes away: unplugged, or the
// sound server gone.
bool SdlSoundBuffer::IsLost() { return SDL_GetAudioDeviceStatus(deviceId) == SDL_AUDIO_STOPPED; }

// With the device locked the callback cannot run, so its own counters may be
// set here. The count of bytes delivered restarts at the new offset, and the
// cursor with it: it reports that offset until the device has played on.
bool SdlSoundBuffer::SetCurrentPosition(uint32_t playCursorOffset) {
    const uint32_t ringSize = static_cast<uint32_t>(stream->ring.size());
    if (playCursorOffset >= ringSize)
        return false;
    SDL_LockAudioDevice(deviceId);
    stream->readCursor.store(playCursorOffset, std::memory_order_relaxed);
    stream->bytesDelivered = playCursorOffset;
    stream->callbackTimes = CallbackTimeFilter();
    stream->stamps.Publish(CallbackStamp{stream->bytesDelivered, 0, Now(), 0.0});
    playCursor = RingCursor(ringSize, stream->timing, playCursorOffset);
    SDL_UnlockAudioDevice(deviceId);
    return true;
}

void SDLCALL SdlSoundBuffer::FeedDevice(void* stream, Uint8* data, int length) {
    Feed(*static_cast<Stream*>(stream), data, static_cast<uint32_t>(length));
}

void SdlSoundBuffer::Feed(Stream& stream, uint8_t* data, uint32_t length) {
    if (length == 0)
        return;
    if (stream.silent.load(std::memory_order_relaxed)) {
        std::memset(data, 0, length);
        return;
    }
    SmoothedCallback called =
        stream.callbackTimes.Smooth(Now(), static_cast<double>(length) / stream.timing.bytesPerSecond);
    stream.unlocks.load(std::memory_order_acquire);
    uint32_t cursor = stream.readCursor.load(std::memory_order_relaxed);
    cursor = CopyFromRing(stream.ring.data(), static_cast<uint32_t>(stream.ring.size()), cursor, data, length);
    stream.readCursor.store(cursor, std::memory_order_release);
    stream.bytesDelivered += length;
    stream.stamps.Publish(CallbackStamp{stream.bytesDelivered, length, called.time, called.period});
}

double SdlSoundBuffer::Now() {
    return static_cast<double>(platform::PerformanceCounter()) / static_cast<double>(platform::PerformanceFrequency());
}
