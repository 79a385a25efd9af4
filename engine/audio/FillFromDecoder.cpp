#include "engine/audio/FillFromDecoder.h"

#include <vorbis/codec.h>

#include <algorithm>
#include <climits>

FillResult FillFromDecoder(uint8_t* region, uint32_t size, const DecoderRead& read) {
    FillResult result;
    int holes = 0;
    while (result.bytesDecoded < size) {
        uint32_t room = size - result.bytesDecoded;
        long got = read(reinterpret_cast<char*>(region + result.bytesDecoded), static_cast<int>(std::min<uint32_t>(room, INT_MAX)));
        if (got == OV_HOLE && ++holes <= kMaxHolesPerFill)
            continue;
        if (got <= 0 || static_cast<unsigned long>(got) > room) {
            result.trackEnded = true;
            result.decoderFailed = got != 0;
            break;
        }
        result.bytesDecoded += static_cast<uint32_t>(got);
    }
    return result;
}
