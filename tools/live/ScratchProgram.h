#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Builds shaders and a program in throw-away GL objects, to learn whether
// sources compile and link without touching what is drawn. Needs a current
// GL context.
struct ScratchShader {
    int32_t type = 0;  // 0 vertex, 1 fragment, 2 geometry
    std::string source;
};

struct ScratchResult {
    bool ok = true;
    // The shader that did not compile; -1 for a link failure.
    int failedShader = -1;
    std::string log;
};

// Compiles every shader; links them into a program when link is true. Stops
// at the first failure. Every GL object made is deleted before returning.
ScratchResult BuildScratchProgram(const std::vector<ScratchShader>& shaders, bool link);
