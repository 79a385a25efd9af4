#include "tests/fuzz/FuzzTarget.h"

#include "engine/files/MemoryStream.h"
#include "engine/files/Mesh.h"
#include "engine/files/ObjCodec.h"

#include <cstdlib>
#include <memory>

ZP_FUZZ_TARGET(obj) {
    MemoryStream in;
    in.Write(data, static_cast<uint32_t>(size));
    std::unique_ptr<Mesh> mesh(ObjCodec().Decode(in));
    if (mesh) {
        // Every triangle must name vertices the mesh has.
        for (const Triangle& t : mesh->triangles)
            if (t.a >= mesh->positions.size() || t.b >= mesh->positions.size() || t.c >= mesh->positions.size())
                std::abort();
    }
    return 0;
}
