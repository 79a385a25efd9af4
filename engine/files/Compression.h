#pragma once

#include <cstdint>

class OutputStream;

// Inflates one zlib or gzip stream onto the end of out. True only when the
// stream is complete: a damaged or cut-off stream gives false, with the bytes
// produced before the fault already written.
bool DecompressToStream(const void* src, uint32_t srcSize, OutputStream& out);

// Deflates the bytes as one gzip stream onto the end of out.
bool CompressToStream(const void* src, uint32_t srcSize, OutputStream& out);
