#pragma once

#include "engine/core/Engine.h"
#include "engine/core/Message.h"
#include "engine/files/FileSystem.h"
#include "engine/files/MemoryStream.h"

#include <memory>
#include <type_traits>
#include <string>

// Reads a whole file through the engine's file system and decodes it with the
// codec the registry keeps for the file's extension. kind names the asset in
// the messages ("image", "mesh"). A file that cannot be read gives null
// without a message: the caller knows what the file was for.
template <typename Asset, typename Registry>
Asset* LoadWithCodec(const std::string& path, const char* kind) {
    FileSystem* fileSystem = GetEngine() ? GetEngine()->GetFileSystem() : nullptr;
    MemoryStream data;
    if (!fileSystem || !fileSystem->ReadFile(path, data))
        return nullptr;
    size_t dot = path.rfind('.');
    if (dot == std::string::npos) {
        Message(LOG_ERROR, "Cannot load %s from file '%s'. No codec found, because the file has no extension.", kind,
                path.c_str());
        return nullptr;
    }
    std::string extension = path.substr(dot + 1);
    auto codec = std::unique_ptr<std::remove_pointer_t<decltype(Registry::Instance().Create(extension))>>(
        Registry::Instance().Create(extension));
    if (!codec) {
        Message(LOG_ERROR, "Cannot load %s from file '%s'. No codec found for extension '%s'.", kind, path.c_str(),
                extension.c_str());
        return nullptr;
    }
    Asset* asset = codec->Decode(data);
    if (asset)
        asset->name = path;
    return asset;
}
