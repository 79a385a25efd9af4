#include "engine/audio/MemoryStreamCallbacks.h"

#include "engine/files/MemoryStream.h"

#include <algorithm>
#include <cstdio>
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

// As fseek does: any byte, or the end just past the last one, which the
// stream's own Seek never lands on (its end origin is the last byte).
// vorbisfile seeks there to learn the file's length.
int SeekSource(void* datasource, ogg_int64_t offset, int whence) {
    MemoryStream* source = SourceOf(datasource);
    const int64_t length = source->Length();
    int64_t target = 0;
    switch (whence) {
    case SEEK_SET: target = offset; break;
    case SEEK_CUR: target = static_cast<int64_t>(source->Tell()) + offset; break;
    case SEEK_END: target = length + offset; break;
    default: return -1;
    }
    if (target < 0 || target > length)
        return -1;
    if (target == length) {
        source->SkipToEnd();
        return 0;
    }
    return source->Seek(static_cast<int32_t>(target), SeekOrigin::Begin) ? 0 : -1;
}

int CloseSource(void* /*datasource*/) { return 0; }

long TellSource(void* datasource) { return static_cast<long>(SourceOf(datasource)->Tell()); }

}

const ov_callbacks kMemoryStreamCallbacks = {ReadSource, SeekSource, CloseSource, TellSource};
