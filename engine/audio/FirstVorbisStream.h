#pragma once

#include "engine/audio/OggPageScanner.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class MemoryStream;

// The pages of the first Vorbis stream of an Ogg file: the first logical
// stream whose first page starts a Vorbis identification header, from that
// page to the one that ends it. Stray bytes, damaged pages, other streams'
// pages, later links, repeated pages and whatever follows the end are left
// out; a missing page leaves a hole, which plays on. Empty when the file
// holds no Vorbis stream.
std::vector<OggPage> FirstVorbisStreamPages(const uint8_t* bytes, size_t size);

// Leaves in `encoded` only those pages, back to back, so that the decoder
// sees one plain stream: the container library, handed stray bytes between
// pages together with pages after the end, has been seen to move memory by
// a negative size after a seek. The stream then reads from its start. False,
// with `encoded` untouched, when there is no Vorbis stream.
bool KeepFirstVorbisStream(MemoryStream& encoded);
