#pragma once

// What the fuzz targets share. Each target's file defines its body with
// ZP_FUZZ_TARGET(name): built for libFuzzer (ZP_LIBFUZZER) it becomes the
// process's LLVMFuzzerTestOneInput; otherwise it registers itself with the
// replay runner, which links every target into one executable.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

using FuzzEntry = int (*)(const uint8_t* data, size_t size);

struct FuzzTargetInfo {
    const char* name; // also the name of its corpus folder
    FuzzEntry entry;
};

// Every target linked into this executable, in registration order.
inline std::vector<FuzzTargetInfo>& FuzzTargets() {
    static std::vector<FuzzTargetInfo> targets;
    return targets;
}

inline bool RegisterFuzzTarget(const char* name, FuzzEntry entry) {
    FuzzTargets().push_back({name, entry});
    return true;
}

#ifdef ZP_LIBFUZZER
#define ZP_FUZZ_ENTRY(name)                                                                                            \
    extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) { return ZpFuzz_##name(data, size); }
#else
#define ZP_FUZZ_ENTRY(name) [[maybe_unused]] static const bool zpFuzzRegistered_##name = RegisterFuzzTarget(#name, ZpFuzz_##name);
#endif

#define ZP_FUZZ_TARGET(name)                                                                                           \
    static int ZpFuzz_##name(const uint8_t* data, size_t size);                                                        \
    ZP_FUZZ_ENTRY(name)                                                                                                \
    static int ZpFuzz_##name(const uint8_t* data, size_t size)

// Cuts the input at its first parts - 1 NUL bytes; the last part keeps the
// rest, NULs and all. Always exactly `parts` strings, the missing ones empty.
inline std::vector<std::string> SplitAtNul(const uint8_t* data, size_t size, size_t parts) {
    std::vector<std::string> out(parts);
    size_t part = 0;
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == 0 && part + 1 < parts)
            ++part;
        else
            out[part].push_back(static_cast<char>(data[i]));
    }
    return out;
}
