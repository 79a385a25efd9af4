#include "engine/audio/MemoryStreamCallbacks.h"

#include "engine/files/MemoryStream.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace {

MemoryStream* SourceOf(void* datasource) { return static_cast<MemoryStream*>(datasource); }

// Counts as fread does: 0 at the end. The stream's -1 there would arrive as a
// huge unsigned count, which vorbisfile takes for a read error and refuses
// files it could play, such as a track cut short.
size_t ReadSource(void* destination, size_t size, size_t count, void* datasource) {
    if (size == 0 || count == 0)
        return 0;
    // A product that overflows asks for more than any stream holds.
    size_t bytes = std::numeric_limits<int32_t>::max();
    if (count <= bytes / size)
        bytes = size * count;
    int32_t got = SourceOf(datasource)->Read(destination, static_cast<uint32_t>(bytes));
    return got < 0 ? 0 : static_cast<size_t>(got);
}

int SeekSource(void* datasource, ogg_int64_t offset, int whence) {
    if (whence < 0 || whence > 2)
        return -1;
    // Files in memory are far below 4 GiB: the low 32 bits are the offset.
    int32_t low = static_cast<int32_t>(static_cast<uint32_t>(offset & 0xFFFFFFFF));
    return SourceOf(datasource)->Seek(low, static_cast<SeekOrigin>(whence)) ? 0 : -1;
}

int CloseSource(void* /*datasource*/) { return 0; }

long TellSource(void* datasource) { return static_cast<long>(SourceOf(datasource)->Tell()); }

}

const ov_callbacks kMemoryStreamCallbacks = {ReadSource, SeekSource, CloseSource, TellSource};
