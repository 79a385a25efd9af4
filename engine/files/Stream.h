#pragma once

#include <cstdint>
#include <cstring>

// The values of the C library's SEEK_SET, SEEK_CUR and SEEK_END.
enum class SeekOrigin : int32_t {
    Begin = 0,
    Current = 1,
    End = 2,
};

// The shared base of input and output streams: a position and the byte order
// rules for the integer helpers.
class Stream {
public:
    Stream() : bigEndian(HostIsBigEndian()) {}
    virtual ~Stream() = default;

    virtual bool Seek(int32_t offset, SeekOrigin origin) = 0;
    virtual uint32_t Tell() const = 0;

    // In text mode ReadString reads lines and the 4-byte integer helpers do
    // nothing; every decoder chooses the mode before it reads.
    void SetTextMode(bool on) { textMode = on; }
    bool IsTextMode() const { return textMode; }
    bool SwapsBytes() const { return swapBytes; }
    bool IsBigEndian() const { return bigEndian; }

protected:
    static uint32_t ReverseBytes(uint32_t value) {
        return (value >> 24) | ((value >> 8) & 0x0000FF00u) | ((value << 8) & 0x00FF0000u) | (value << 24);
    }

    // Streams are in host order, so stored integers are little-endian on the
    // x86 target and nothing is ever swapped.
    bool swapBytes = false;
    bool bigEndian;
    bool textMode = false;

private:
    static bool HostIsBigEndian() {
        const uint32_t probe = 1;
        unsigned char first = 0;
        std::memcpy(&first, &probe, 1);
        return first == 0;
    }
};
