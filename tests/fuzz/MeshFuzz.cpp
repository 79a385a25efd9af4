#include "tests/fuzz/FuzzTarget.h"

#include "engine/files/MemoryStream.h"
#include "engine/files/Mesh.h"
#include "engine/files/MeshFileCodec.h"

#include <memory>

ZP_FUZZ_TARGET(mesh) {
    MemoryStream in;
    in.Write(data, static_cast<uint32_t>(size));
    MeshFileCodec codec;
    std::unique_ptr<Mesh> mesh(codec.Decode(in));
    if (mesh) {
        // What decodes must encode again.
        MemoryStream out;
        codec.Encode(*mesh, out);
    }
    return 0;
}
