#pragma once

#include "engine/files/Mesh.h"

#include <vector>

// A unit sphere from an icosahedron whose faces are split into four,
// subdivisions times over: 20 x 4^subdivisions triangles of nearly equal
// size, counter-clockwise seen from outside. Fixed order, so fixed output.
void BuildIcosphere(int subdivisions, std::vector<Vec3>& directions, std::vector<Triangle>& triangles);
