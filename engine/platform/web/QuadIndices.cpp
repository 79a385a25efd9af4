#include "engine/platform/web/QuadIndices.h"

#include <cstring>

std::vector<uint8_t> QuadsToTriangles(const uint8_t* indices, size_t count, size_t elementSize) {
    std::vector<uint8_t> triangles;
    if (elementSize != 1 && elementSize != 2 && elementSize != 4)
        return triangles;
    static const size_t kCorners[6] = {0, 1, 2, 0, 2, 3};
    const size_t quads = count / 4;
    triangles.resize(quads * 6 * elementSize);
    uint8_t* out = triangles.data();
    for (size_t quad = 0; quad < quads; ++quad) {
        const uint8_t* first = indices + quad * 4 * elementSize;
        for (size_t corner : kCorners) {
            std::memcpy(out, first + corner * elementSize, elementSize);
            out += elementSize;
        }
    }
    return triangles;
}
