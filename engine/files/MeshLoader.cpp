#include "engine/files/MeshLoader.h"

#include "engine/core/Engine.h"
#include "engine/core/Message.h"
#include "engine/files/FileSystem.h"
#include "engine/files/MemoryStream.h"
#include "engine/files/Mesh.h"
#include "engine/files/MeshCodec.h"
#include "engine/files/MeshCodecRegistry.h"

#include <memory>

Mesh* LoadMesh(const std::string& path) {
    FileSystem* fileSystem = GetEngine() ? GetEngine()->GetFileSystem() : nullptr;
    MemoryStream data;
    if (!fileSystem || !fileSystem->ReadFile(path, data))
        return nullptr;
    size_t dot = path.rfind('.');
    if (dot == std::string::npos) {
        Message(LOG_ERROR, "Cannot load mesh from file '%s'. No codec found, because the file has no extension.",
                path.c_str());
        return nullptr;
    }
    std::string extension = path.substr(dot + 1);
    std::unique_ptr<MeshCodec> codec(MeshCodecRegistry::Instance().Create(extension));
    if (!codec) {
        Message(LOG_ERROR, "Cannot load mesh from file '%s'. No codec found for extension '%s'.", path.c_str(),
                extension.c_str());
        return nullptr;
    }
    Mesh* mesh = codec->Decode(data);
    if (mesh)
        mesh->name = path;
    return mesh;
}
