#include "engine/files/MeshLoader.h"

#include "engine/files/CodecLoader.h"
#include "engine/files/Mesh.h"
#include "engine/files/MeshCodec.h"
#include "engine/files/MeshCodecRegistry.h"

Mesh* LoadMesh(const std::string& path) { return LoadWithCodec<Mesh, MeshCodecRegistry>(path, "mesh"); }
