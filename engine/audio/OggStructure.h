#pragma once

#include <cstdint>

// Whether the bytes are one plain Ogg stream as an encoder writes it: whole
// pages back to back from the first byte to the last, one logical stream
// that begins on the first page, its pages numbered upwards (a page lost
// leaves a hole, which plays on), and nothing after the page that ends it. The music is refused otherwise: the
// container library, handed stray bytes between pages and pages after the
// end, has been seen to move memory by a negative size after a seek.
bool IsPlainOggStream(const uint8_t* bytes, uint32_t size);
