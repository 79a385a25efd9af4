#include "engine/files/InputStream.h"

#include <algorithm>
#include <utility>

namespace {

// Long strings are read piece by piece, so a corrupt length costs no more
// memory than the bytes the stream really holds.
constexpr uint32_t kStringChunk = 64 * 1024;

}

void InputStream::ReadUInt32(uint32_t& value) {
    if (textMode)
        return;
    uint32_t read = 0;
    Read(&read, sizeof read);
    if (good)
        value = swapBytes ? ReverseBytes(read) : read;
}

void InputStream::ReadString(std::string& out) {
    if (textMode)
        ReadTextLine(out);
    else
        ReadSizedString(out);
}

void InputStream::ReadSizedString(std::string& out) {
    uint32_t length = 0;
    ReadUInt32(length);
    if (!good)
        return;
    std::string text;
    while (text.size() < length) {
        const uint32_t piece = std::min<uint32_t>(kStringChunk, length - static_cast<uint32_t>(text.size()));
        const size_t start = text.size();
        text.resize(start + piece);
        Read(&text[start], piece);
        if (!good)
            return;  // a length beyond the stream's end: refused, out untouched
    }
    text.resize(std::min(text.size(), text.find('\0')));
    out = std::move(text);
}

void InputStream::ReadTextLine(std::string& out) {
    out.clear();
    char c = 0;
    while (Read(&c, 1) == 1) {
        if (c == '\r')
            continue;
        out += c;
        if (c == '\n')
            break;
    }
    // A last line without a line feed still counts as read.
    if (!out.empty())
        good = true;
}
