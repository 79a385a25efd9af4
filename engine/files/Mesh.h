#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct Vec3 {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};

struct Vec2 {
    float u = 0.0f;
    float v = 0.0f;
};

// Three vertex indices, counter-clockwise seen from the front.
struct Triangle {
    uint32_t a = 0;
    uint32_t b = 0;
    uint32_t c = 0;
};

// A triangle mesh as four parallel lists. Meshes read from OBJ text have one
// position, normal and texture coordinate per vertex; the binary format takes
// the lists as stored.
struct Mesh {
    std::string name;  // the path it was loaded from
    std::vector<Vec3> positions;
    std::vector<Vec3> normals;
    std::vector<Vec2> texCoords;
    std::vector<Triangle> triangles;
};
