#include "engine/audio/FirstVorbisStream.h"

#include "engine/files/MemoryStream.h"

#include <cstring>

namespace {

constexpr char kIdentification[] = "\x01vorbis";
constexpr size_t kIdentificationBytes = sizeof kIdentification - 1;

bool StartsVorbis(const uint8_t* bytes, const OggPage& page) {
    return page.Begins() && page.offset + page.size - page.bodyOffset >= kIdentificationBytes &&
           std::memcmp(bytes + page.bodyOffset, kIdentification, kIdentificationBytes) == 0;
}

}

std::vector<OggPage> FirstVorbisStreamPages(const uint8_t* bytes, size_t size) {
    std::vector<OggPage> kept;
    OggPageScanner scanner(bytes, size);
    OggPage page;
    while (kept.empty() && scanner.Next(page))
        if (StartsVorbis(bytes, page))
            kept.push_back(page);
    while (!kept.empty() && !kept.back().Ends() && scanner.Next(page)) {
        if (page.serial != kept.front().serial)
            continue;
        // The same serial beginning anew is the next link of a chain.
        if (page.Begins())
            break;
        // Pages may be missing, but never come back or repeat.
        if (page.sequence > kept.back().sequence)
            kept.push_back(page);
    }
    return kept;
}

bool KeepFirstVorbisStream(MemoryStream& encoded) {
    const std::vector<OggPage> pages = FirstVorbisStreamPages(encoded.Data(), encoded.Length());
    if (pages.empty())
        return false;
    // Kept pages only ever move towards the start, so the copy is made in place.
    uint8_t* bytes = encoded.Data();
    size_t end = 0;
    for (const OggPage& page : pages) {
        if (page.offset != end)
            std::memmove(bytes + end, bytes + page.offset, page.size);
        end += page.size;
    }
    encoded.Resize(static_cast<uint32_t>(end));
    encoded.Seek(0, SeekOrigin::Begin);
    return true;
}
