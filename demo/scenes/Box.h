#pragma once

#include "engine/core/Quaternion.h"
#include "engine/core/Vector3.h"

#include <cstdint>

// One cell of the box grid. The size scales the unit cube, so a box of size
// (1, 1, 1) measures one unit along each axis.
struct Box {
    uint8_t active = 0;  // only active boxes are drawn
    Vector3 position = {0.0f, 0.0f, 0.0f};
    Quaternion orientation = kIdentityQuaternion;
    Vector3 size = {0.0f, 0.0f, 0.0f};
    float color[4] = {0.0f, 0.0f, 0.0f, 0.0f};
};
