#include "tests/fuzz/FuzzTarget.h"

#include "engine/files/Image.h"
#include "engine/files/MemoryStream.h"
#include "engine/files/TgaCodec.h"

#include <memory>

ZP_FUZZ_TARGET(tga) {
    MemoryStream in;
    in.Write(data, static_cast<uint32_t>(size));
    std::unique_ptr<Image> image(TgaCodec().Decode(in));
    if (image) {
        // Touch every pixel the image claims, so a short buffer shows.
        volatile uint8_t sum = 0;
        const uint32_t bytes = image->ByteSize();
        for (uint32_t i = 0; i < bytes; ++i)
            sum = static_cast<uint8_t>(sum + image->pixels[i]);
    }
    return 0;
}
