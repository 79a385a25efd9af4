#include "demo/draw/QuadCorners.h"

const uint16_t kQuadIndices[4] = {0, 1, 2, 3};

std::array<QuadCorner, 4> QuadCorners(float x, float y, float width, float height) {
    return {{{x, y}, {x, y + height}, {x + width, y + height}, {x + width, y}}};
}
