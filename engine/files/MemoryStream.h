#pragma once

#include "engine/files/InputStream.h"
#include "engine/files/OutputStream.h"

#include <cstdint>
#include <string>
#include <vector>

// A growable byte buffer: filled by writes, which always append, and read
// from its own position. Every whole-file read delivers one.
class MemoryStream : public InputStream, public OutputStream {
public:
    MemoryStream() = default;
    // A copy has its own bytes and reads from the start.
    MemoryStream(const MemoryStream& other);
    MemoryStream& operator=(const MemoryStream& other);
    // A move takes the bytes without copying them and reads from the start;
    // the stream moved from is left empty.
    MemoryStream(MemoryStream&& other) noexcept;
    MemoryStream& operator=(MemoryStream&& other) noexcept;
    ~MemoryStream() override = default;

    int32_t Read(void* dst, uint32_t count) override;
    int32_t Write(const void* src, uint32_t count) override;
    void Flush() override {}
    // The position may land on any byte (End counts from the last one), never
    // on the end itself: that is reached by reading.
    bool Seek(int32_t offset, SeekOrigin origin) override;
    uint32_t Tell() const override { return position; }
    uint32_t BytesLeft() const override { return position < Length() ? Length() - position : 0; }
    // Past the last byte, where reading everything leaves the stream: the
    // end a C library seek from the end means.
    void SkipToEnd() { position = Length(); }

    // New bytes are zero; a position past the new end moves to the last byte.
    void Resize(uint32_t size);
    // Replaces the contents by a whole regular file; true when every byte was read.
    bool LoadFromFile(const std::string& path);
    // The same, but a file that does not open leaves the stream untouched;
    // opened tells which case it was.
    bool LoadFromFile(const std::string& path, bool& opened);

    uint32_t Length() const { return static_cast<uint32_t>(data.size()); }
    const uint8_t* Data() const { return data.data(); }
    uint8_t* Data() { return data.data(); }

private:
    std::vector<uint8_t> data;
    uint32_t position = 0;
};
