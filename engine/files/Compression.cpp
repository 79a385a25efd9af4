#include "engine/files/Compression.h"

#include "engine/files/OutputStream.h"

#include <zlib.h>

namespace {

constexpr uInt kChunkSize = 0x4000;
// 15-bit window; +32 detects a zlib or gzip header, +16 writes a gzip one.
constexpr int kInflateAnyHeader = 15 + 32;
constexpr int kDeflateGzip = 15 + 16;
constexpr int kMemoryLevel = 8;

void SetInput(z_stream& stream, const void* src, uint32_t srcSize) {
    stream.next_in = const_cast<Bytef*>(static_cast<const Bytef*>(src));
    stream.avail_in = srcSize;
}

// Runs inflate or deflate in fixed output steps, handing each step's bytes
// to out. True when the stream ended within limit bytes and out took every
// byte.
bool Pump(z_stream& stream, int (*step)(z_streamp, int), int flush, OutputStream& out, uint64_t limit) {
    Bytef chunk[kChunkSize];
    // Counted here: zlib's own total is 32 bits wide on Windows.
    uint64_t total = 0;
    for (;;) {
        stream.next_out = chunk;
        stream.avail_out = kChunkSize;
        const int code = step(&stream, flush);
        if (code < 0)
            return false;
        const uInt produced = kChunkSize - stream.avail_out;
        total += produced;
        if (total > limit)
            return false;
        if (produced > 0 && out.Write(chunk, produced) != static_cast<int32_t>(produced))
            return false;
        if (code == Z_STREAM_END)
            return true;
        // Output room left over means the input ran out before the stream's end.
        if (stream.avail_out != 0)
            return false;
    }
}

}

bool DecompressToStream(const void* src, uint32_t srcSize, OutputStream& out, uint64_t limit) {
    z_stream stream{};
    SetInput(stream, src, srcSize);
    if (inflateInit2(&stream, kInflateAnyHeader) != Z_OK)
        return false;
    const bool complete = Pump(stream, inflate, Z_SYNC_FLUSH, out, limit);
    inflateEnd(&stream);
    return complete;
}

bool CompressToStream(const void* src, uint32_t srcSize, OutputStream& out) {
    z_stream stream{};
    SetInput(stream, src, srcSize);
    if (deflateInit2(&stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, kDeflateGzip, kMemoryLevel,
                     Z_DEFAULT_STRATEGY) != Z_OK)
        return false;
    // Deflate never produces much more than it is given.
    const bool complete = Pump(stream, deflate, Z_FINISH, out, UINT64_MAX);
    deflateEnd(&stream);
    return complete;
}
