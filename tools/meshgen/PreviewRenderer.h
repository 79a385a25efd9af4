#pragma once

#include "engine/files/Mesh.h"

#include <cstdint>
#include <string>
#include <vector>

// A quick software picture of a mesh, for looking at what the generator
// made: the opening scene's camera direction and light, interpolated
// normals, a depth buffer. Rows top down, RGB bytes.
std::vector<uint8_t> RenderPreview(const Mesh& mesh, int size);

// Binary PPM, which every image viewer and converter reads.
bool WritePpm(const std::string& path, const std::vector<uint8_t>& rgb, int width, int height);
