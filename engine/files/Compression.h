#pragma once

#include <cstdint>

class OutputStream;

// The most bytes one inflation may produce in the program. Nothing in a
// deflate stream says how large it unpacks, and a few megabytes of it can
// claim gigabytes.
constexpr uint64_t kInflateLimit = uint64_t(1) << 30;

// Inflates one zlib or gzip stream onto the end of out. True only when the
// stream is complete: a damaged or cut-off stream, or one that would produce
// more than limit bytes, gives false, with the bytes produced before the
// fault already written.
bool DecompressToStream(const void* src, uint32_t srcSize, OutputStream& out, uint64_t limit);

// Deflates the bytes as one gzip stream onto the end of out.
bool CompressToStream(const void* src, uint32_t srcSize, OutputStream& out);
