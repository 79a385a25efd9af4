#include "tests/fuzz/FuzzTarget.h"

#include "engine/files/MemoryStream.h"
#include "engine/files/PakArchive.h"

#include <cstdlib>
#include <string>

namespace {

// Small enough that a deflate bomb costs milliseconds, not the fuzzer's memory.
constexpr uint64_t kFuzzInflateLimit = uint64_t(16) << 20;

}

ZP_FUZZ_TARGET(pak) {
    MemoryStream bytes;
    bytes.Write(data, static_cast<uint32_t>(size));
    PakArchive archive(kFuzzInflateLimit);
    if (!archive.OpenFromMemory(bytes))
        return 0;
    for (const std::string& name : archive.Names()) {
        // Lookups lowercase the path: a lower-case name must be found again.
        if (LowercasePakName(name) == name && !archive.Contains(name))
            std::abort();
        MemoryStream out;
        archive.Extract(name, out);
        if (out.Length() > kFuzzInflateLimit)
            std::abort();
    }
    return 0;
}
