#pragma once

#include "engine/files/MeshCodec.h"

// The engine's own binary mesh: four sections (positions, normals, texture
// coordinates, triangles), each a 4-byte count and then its elements, every
// value 4 bytes in stream byte order. No header, no padding.
class MeshFileCodec : public MeshCodec {
public:
    // Null when a section holds fewer elements than its count announces; a
    // missing count reads as an empty section.
    Mesh* Decode(InputStream& in) override;
    // False when a write falls short or a list is too long for its count.
    bool Encode(const Mesh& mesh, OutputStream& out) override;
};
