#pragma once

#include "engine/files/ImageCodec.h"

// Uncompressed true-colour TGA of 15, 16, 24 or 32 bits, in any of the four
// origins. Decodes to R8G8B8, or R8G8B8A8 for 32 bits; never encodes.
class TgaCodec : public ImageCodec {
public:
    Image* Decode(InputStream& in) override;
    bool Encode(const Image& image, OutputStream& out) override;
};
