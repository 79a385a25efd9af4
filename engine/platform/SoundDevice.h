#pragma once

#include <cstdint>
#include <memory>

// The sample layout of a PCM sound buffer, field for field the record the
// Windows sound API takes.
struct PcmFormat {
    uint16_t channels = 0;
    uint32_t samplesPerSecond = 0;
    uint16_t bitsPerSample = 0;
    uint16_t blockAlign = 0;            // bytes per frame: channels x bits / 8
    uint32_t averageBytesPerSecond = 0; // samplesPerSecond x blockAlign
};

// How much of the output device the program claims; the values of the
// Windows sound API.
enum class CooperativeLevel : uint32_t {
    Normal = 1,
    Priority = 2,
};

// Lock flag: the whole buffer, whatever byte count is passed.
constexpr uint32_t kLockEntireBuffer = 0x2;

// A looping ring of PCM bytes that the device plays from its play cursor on.
// The program writes into regions it has locked; the device reads the rest.
class SoundBuffer {
public:
    virtual ~SoundBuffer() = default;

    // Makes `bytes` bytes from `offset` on writable. When the range runs past
    // the end of the ring it continues at the start: the second region then
    // holds the rest, otherwise it is null with size 0. False when the range
    // is not inside the buffer.
    virtual bool Lock(uint32_t offset, uint32_t bytes, void** region1, uint32_t* size1, void** region2,
                      uint32_t* size2, uint32_t flags) = 0;
    // Hands the regions of the last Lock back to the device.
    virtual bool Unlock(void* region1, uint32_t size1, void* region2, uint32_t size2) = 0;

    // Starts or resumes looping playback from the play cursor.
    virtual bool Play() = 0;
    // Pauses playback; the play cursor stays where it is.
    virtual bool Stop() = 0;

    // The play cursor, the byte offset being heard now, and the write cursor,
    // the first byte the device has not taken yet (either may be null).
    virtual bool GetCurrentPosition(uint32_t* playCursor, uint32_t* writeCursor) = 0;
    // Moves the play cursor to a byte offset inside the ring; playback goes
    // on from there at the next Play. Only while stopped.
    virtual bool SetCurrentPosition(uint32_t playCursor) = 0;

    // The device has said that it is gone for good (unplugged, its server
    // ended, a buffer that could not be restored): it will never play again.
    virtual bool IsLost() { return false; }
};

// The audio output device; it makes the buffers that play on it.
class SoundDevice {
public:
    virtual ~SoundDevice() = default;
    virtual bool SetCooperativeLevel(void* window, CooperativeLevel level) = 0;
    // A stopped buffer of `bytes` bytes with its cursor at 0, or null.
    virtual std::unique_ptr<SoundBuffer> CreateSoundBuffer(const PcmFormat& format, uint32_t bytes) = 0;
};

// A device and the buffer that plays on it, handed on together.
struct SoundOutput {
    std::unique_ptr<SoundDevice> device;
    std::unique_ptr<SoundBuffer> buffer;

    explicit operator bool() const { return device && buffer; }
};

namespace platform {

// The default output device for the window, or null when no device can play
// sound. A device is returned only after an output stream could be opened on it.
std::unique_ptr<SoundDevice> CreateSoundDevice(void* window);

}
