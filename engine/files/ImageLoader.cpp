#include "engine/files/ImageLoader.h"

#include "engine/core/Engine.h"
#include "engine/core/Message.h"
#include "engine/files/FileSystem.h"
#include "engine/files/Image.h"
#include "engine/files/ImageCodec.h"
#include "engine/files/ImageCodecRegistry.h"
#include "engine/files/MemoryStream.h"

#include <memory>

Image* LoadImage(const std::string& path) {
    FileSystem* fileSystem = GetEngine() ? GetEngine()->GetFileSystem() : nullptr;
    MemoryStream data;
    if (!fileSystem || !fileSystem->ReadFile(path, data))
        return nullptr;
    size_t dot = path.rfind('.');
    if (dot == std::string::npos) {
        Message(LOG_ERROR, "Cannot load image from file '%s'. No codec found, because the file has no extension.",
                path.c_str());
        return nullptr;
    }
    std::string extension = path.substr(dot + 1);
    std::unique_ptr<ImageCodec> codec(ImageCodecRegistry::Instance().Create(extension));
    if (!codec) {
        Message(LOG_ERROR, "Cannot load image from file '%s'. No codec found for extension '%s'.", path.c_str(),
                extension.c_str());
        return nullptr;
    }
    Image* image = codec->Decode(data);
    if (image)
        image->name = path;
    return image;
}
