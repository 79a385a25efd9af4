#pragma once

#include "engine/platform/SoundDevice.h"

// The header's ready-made callback sets are unused here and would warn.
#ifndef OV_EXCLUDE_STATIC_CALLBACKS
#define OV_EXCLUDE_STATIC_CALLBACKS
#endif
#include <vorbis/vorbisfile.h>

#include <cstdint>
#include <memory>

class MemoryStream;

// Streams one OGG Vorbis track through a two-second looping sound buffer,
// refilled a second at a time from the frame loop; its play position, in
// seconds, is the demo's clock. Main thread only.
class MusicPlayer {
public:
    // Fixed geometry, whatever the track's format: one second of 44.1 kHz
    // 16-bit stereo per half.
    static constexpr uint32_t kBufferBytes = 352800;
    static constexpr uint32_t kHalfBytes = 176400;
    static constexpr long kMinRate = 8000;
    static constexpr long kMaxRate = 192000;

    // Mono or stereo at kMinRate to kMaxRate: within these bounds no product
    // of the format's numbers overflows.
    static bool IsPlayableFormat(int channels, long rate);

    MusicPlayer();
    ~MusicPlayer();
    MusicPlayer(const MusicPlayer&) = delete;
    MusicPlayer& operator=(const MusicPlayer&) = delete;

    // The default output device for the window; false when there is none.
    bool CreateDevice(void* window);
    // The same with a device made elsewhere (another output, a test's).
    bool UseDevice(std::unique_ptr<SoundDevice> soundDevice, void* window);

    // Decodes from its own copy of the encoded file (moved in when the caller
    // hands it over) and prefills the buffer; false,
    // with nothing open, without a device, for a stream that is not OGG
    // Vorbis, for a format the buffer cannot play (other than mono or stereo,
    // or a rate outside kMinRate to kMaxRate), or when the device cannot make
    // the buffer.
    bool Open(MemoryStream encoded);
    void Close();
    // Jumps the track, before Play, while paused or while playing: the play
    // cursor goes back to the ring's start and the ring is refilled from the
    // sought sample. After the decoder has failed it only moves the position:
    // the music stays silent until the track is opened again.
    void Seek(double seconds);
    void Play();
    // Stops the sound where it is; Resume goes on with the next sample.
    void Pause();
    void Resume();
    bool IsPlaying() const { return playing; }
    // Once a frame: follows the play cursor and refills the half it has left.
    void Update();
    double GetPosition() const { return position; }

    // Hands the device and its buffer over, for another thread to close: the
    // track stays open at its position, silent, until AdoptOutput.
    SoundOutput ReleaseOutput();
    // Plays on a new device from now on, the ring silent at first: the caller
    // seeks once the new device is seen to play. Takes the output only when
    // true; false for an incomplete output or while no track is open.
    bool AdoptOutput(SoundOutput& output);
    bool HasOutput() const { return buffer != nullptr; }
    // The device has said that it is gone.
    bool IsOutputLost() const { return buffer && buffer->IsLost(); }
    // The sample layout of the open track, for a buffer made elsewhere.
    const PcmFormat& Format() const { return format; }

    bool IsDeviceReady() const { return deviceReady; }
    bool IsOpen() const { return isOpen; }
    bool HasDecoderFailed() const { return decoderFailed; }

private:
    bool CreateBuffer();
    void Restart(uint32_t bytes);
    void FillLocked(uint32_t offset, uint32_t bytes, uint32_t flags);
    void FillSpan(void* region, uint32_t size);

    std::unique_ptr<SoundDevice> device;
    std::unique_ptr<SoundBuffer> buffer;
    OggVorbis_File decoder{};
    bool deviceReady = false;
    bool isOpen = false;
    bool playing = false;
    uint32_t playingHalf = 0;
    uint32_t bytesPerSecond = 0;
    PcmFormat format;
    uint32_t baseBytes = 0;
    double position = 0.0;
    std::unique_ptr<MemoryStream> source;
    // The decoder has nothing more to give: every fill is silence until a seek.
    bool trackEnded = false;
    // The decoder broke. vorbisfile leaves a half-made state behind that a
    // later seek would divide by zero in, so it is never called again.
    bool decoderFailed = false;
};
