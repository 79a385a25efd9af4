#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The triangle list that draws the same quads: each run of four indices
// a b c d becomes a b c, a c d, as a quad's two triangles share the
// diagonal a-c. A last run of fewer than four draws nothing, as with quads.
// `elementSize` is 1, 2 or 4 bytes; any other size gives nothing.
std::vector<uint8_t> QuadsToTriangles(const uint8_t* indices, size_t count, size_t elementSize);
