#pragma once

#include "engine/files/Mesh.h"

// The opening scene's mesh: a fat, lumpy body with curved thorns, about 400
// units across (the scene draws it at a hundredth of that), smooth normals,
// no texture coordinates. The same every time.
Mesh BuildSpikyForm();
