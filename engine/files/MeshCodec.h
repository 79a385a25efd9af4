#pragma once

struct Mesh;
class InputStream;
class OutputStream;

class MeshCodec {
public:
    virtual ~MeshCodec() = default;
    // A new mesh owned by the caller, or null when the data cannot be decoded.
    virtual Mesh* Decode(InputStream& in) = 0;
    virtual bool Encode(const Mesh& mesh, OutputStream& out) = 0;
};
