#pragma once

#include "engine/core/Matrix4.h"

// The 2D drawers' projection: x 0 to 1 rightwards, y 0 to 1 downwards,
// whatever the display's aspect.
inline Matrix4 ScreenSpaceProjection() { return Orthographic(0.0f, 1.0f, 0.0f, 1.0f, -1.0f, 1.0f); }
