#pragma once

#include "engine/files/MeshCodec.h"

// Wavefront OBJ text: "v", "vn", "vt" and triangle or quad "f" lines, every
// other statement ignored. The file's z-up axes become y-up, and each
// distinct corner (position, normal, texture coordinate) becomes one vertex.
// Never encodes.
class ObjCodec : public MeshCodec {
public:
    // Null at the first malformed line or at an index that names no entry.
    Mesh* Decode(InputStream& in) override;
    bool Encode(const Mesh& mesh, OutputStream& out) override;
};
