#include "engine/audio/MusicPlayer.h"

#include "engine/audio/FillFromDecoder.h"
#include "engine/audio/FirstVorbisStream.h"
#include "engine/audio/MemoryStreamCallbacks.h"
#include "engine/files/MemoryStream.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <utility>

bool MusicPlayer::IsPlayableFormat(int channels, long rate) {
    return (channels == 1 || channels == 2) && rate >= kMinRate && rate <= kMaxRate;
}

MusicPlayer::MusicPlayer() = default;

MusicPlayer::~MusicPlayer() {
    if (buffer)
        buffer->Stop();
    Close();
    device.reset();
}

bool MusicPlayer::CreateDevice(void* window) { return UseDevice(platform::CreateSoundDevice(window), window); }

bool MusicPlayer::UseDevice(std::unique_ptr<SoundDevice> soundDevice, void* window) {
    if (!soundDevice)
        return false;
    Close();
    device = std::move(soundDevice);
    device->SetCooperativeLevel(window, CooperativeLevel::Priority);
    deviceReady = true;
    return true;
}

bool MusicPlayer::Open(MemoryStream encoded) {
    if (!deviceReady || !device)
        return false;
    Close();
    if (!KeepFirstVorbisStream(encoded))
        return false;
    source = std::make_unique<MemoryStream>(std::move(encoded));
    // On failure vorbisfile has already cleared the decoder.
    if (ov_open_callbacks(source.get(), &decoder, nullptr, 0, kMemoryStreamCallbacks) != 0) {
        source.reset();
        return false;
    }
    if (!CreateBuffer()) {
        ov_clear(&decoder);
        source.reset();
        return false;
    }
    trackEnded = false;
    decoderFailed = false;
    FillLocked(0, kBufferBytes, kLockEntireBuffer);
    position = 0.0;
    playingHalf = 0;
    baseBytes = 0;
    isOpen = true;
    return true;
}

bool MusicPlayer::CreateBuffer() {
    vorbis_info* info = ov_info(&decoder, -1);
    if (!info || !IsPlayableFormat(info->channels, info->rate))
        return false;
    format.channels = static_cast<uint16_t>(info->channels);
    format.samplesPerSecond = static_cast<uint32_t>(info->rate);
    format.bitsPerSample = 16;
    format.blockAlign = static_cast<uint16_t>(format.channels * 2);
    format.averageBytesPerSecond = format.samplesPerSecond * format.blockAlign;
    bytesPerSecond = format.averageBytesPerSecond;
    buffer = device->CreateSoundBuffer(format, kBufferBytes);
    return buffer != nullptr;
}

void MusicPlayer::Close() {
    if (isOpen)
        ov_clear(&decoder);
    buffer.reset();
    source.reset();
    isOpen = false;
    playing = false;
}

void MusicPlayer::Seek(double seconds) {
    if (!isOpen)
        return;
    if (!(seconds > 0.0))
        seconds = 0.0;
    double bytes = std::min(seconds * bytesPerSecond, static_cast<double>(std::numeric_limits<uint32_t>::max()));
    if (!buffer) {
        // Without a device there is nothing to fill; the seek on the next
        // device starts the decoder again.
        position = static_cast<double>(static_cast<uint32_t>(bytes)) / static_cast<double>(bytesPerSecond);
        return;
    }
    // A time past the end (or any seek the decoder refuses) plays silence,
    // not the track from wherever the decoder happened to be.
    trackEnded = decoderFailed || ov_time_seek(&decoder, seconds) != 0;
    Restart(static_cast<uint32_t>(bytes));
}

// Before the first Play the cursor is already at 0; afterwards it is moved
// there, so that the refilled ring plays from its start.
void MusicPlayer::Restart(uint32_t bytes) {
    if (playing)
        buffer->Stop();
    buffer->SetCurrentPosition(0);
    FillLocked(0, kBufferBytes, kLockEntireBuffer);
    playingHalf = 0;
    baseBytes = bytes;
    position = static_cast<double>(baseBytes) / static_cast<double>(bytesPerSecond);
    if (playing)
        buffer->Play();
}

SoundOutput MusicPlayer::ReleaseOutput() {
    SoundOutput output;
    if (buffer)
        buffer->Stop();
    output.device = std::move(device);
    output.buffer = std::move(buffer);
    return output;
}

bool MusicPlayer::AdoptOutput(SoundOutput& output) {
    if (!output || !isOpen)
        return false;
    if (buffer)
        buffer->Stop();
    buffer = std::move(output.buffer);
    device = std::move(output.device);
    // Silence until the caller seeks: where the decoder stands now is not
    // where the show is.
    const bool ended = trackEnded;
    trackEnded = true;
    Restart(baseBytes);
    trackEnded = ended;
    return true;
}

void MusicPlayer::Play() {
    if (!isOpen)
        return;
    if (buffer)
        buffer->Play();
    playing = true;
}

void MusicPlayer::Pause() {
    if (!playing)
        return;
    if (buffer)
        buffer->Stop();
    playing = false;
}

void MusicPlayer::Resume() { Play(); }

void MusicPlayer::Update() {
    uint32_t play = 0;
    if (!isOpen || !buffer || !buffer->GetCurrentPosition(&play, nullptr))
        return;
    uint32_t half = play >= kHalfBytes ? 1 : 0;
    uint32_t offset = play - half * kHalfBytes;
    uint32_t bytes = baseBytes + offset + (half != playingHalf ? kHalfBytes : 0);
    position = static_cast<double>(bytes) / static_cast<double>(bytesPerSecond);
    if (half == playingHalf)
        return;
    // The cursor has entered the other half: the one it left is free to refill.
    baseBytes += kHalfBytes;
    FillLocked(playingHalf * kHalfBytes, kHalfBytes, 0);
    playingHalf = half;
}

void MusicPlayer::FillLocked(uint32_t offset, uint32_t bytes, uint32_t flags) {
    void* region1 = nullptr;
    void* region2 = nullptr;
    uint32_t size1 = 0;
    uint32_t size2 = 0;
    // A buffer that cannot be locked keeps what it holds; writing through
    // pointers it never gave would corrupt memory.
    if (!buffer->Lock(offset, bytes, &region1, &size1, &region2, &size2, flags))
        return;
    FillSpan(region1, size1);
    FillSpan(region2, size2);
    buffer->Unlock(region1, size1, region2, size2);
}

void MusicPlayer::FillSpan(void* region, uint32_t size) {
    if (!region || size == 0)
        return;
    uint8_t* bytes = static_cast<uint8_t*>(region);
    uint32_t decoded = 0;
    if (!trackEnded) {
        FillResult result = FillFromDecoder(bytes, size, [this](char* destination, int count) {
            int section = 0;
            return ov_read(&decoder, destination, count, 0, 2, 1, &section);
        });
        decoded = result.bytesDecoded;
        trackEnded = result.trackEnded;
        decoderFailed = decoderFailed || result.decoderFailed;
    }
    // Past the end of the track the buffer plays silence.
    std::memset(bytes + decoded, 0, size - decoded);
}
