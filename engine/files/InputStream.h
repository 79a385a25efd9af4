#pragma once

#include "engine/files/Stream.h"

#include <string>

class InputStream : public virtual Stream {
public:
    // Copies up to count bytes; the number copied, or -1 when nothing is left.
    // IsGood tells whether every byte asked for arrived.
    virtual int32_t Read(void* dst, uint32_t count) = 0;

    bool IsGood() const { return good; }
    // What a decoder may still read: no count in a file can promise more, so
    // nothing larger is ever allocated on its word.
    virtual uint32_t BytesLeft() const = 0;

    // Binary mode only; the value changes only when all 4 bytes arrived.
    void ReadUInt32(uint32_t& value);
    // Binary mode: a 4-byte length, then that many bytes, cut at the first
    // NUL. Text mode: one line, line feed kept, carriage returns dropped.
    void ReadString(std::string& out);

protected:
    bool good = true;

private:
    void ReadSizedString(std::string& out);
    void ReadTextLine(std::string& out);
};
