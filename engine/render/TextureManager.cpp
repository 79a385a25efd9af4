#include "engine/render/TextureManager.h"

#include "engine/core/Engine.h"
#include "engine/core/Message.h"
#include "engine/files/Image.h"
#include "engine/files/ImageLoader.h"
#include "engine/render/Display.h"
#include "engine/render/Texture.h"

#include <memory>

TextureManager::~TextureManager() { registry.DestroyAll(); }

void TextureManager::Remove(const std::string& name) { registry.Erase(NormalizePath(name)); }

bool TextureManager::Load(const Image& image, ResourceReference& out) {
    std::string key = NormalizePath(image.name);
    if (registry.Find(key, out))
        return true;
    Message(LOG_SYSTEM, "Loading texture '%s'...", image.name.c_str());
    Display* display = GetEngine()->GetDisplay();
    std::unique_ptr<Texture> texture(display ? display->CreateTextureFromImage(this, image.name, image, kFilterLinear,
                                                                               kFilterLinear, kWrapRepeat, kWrapRepeat)
                                             : nullptr);
    if (!texture) {
        Message(LOG_ERROR, "Cannot create texture object.");
        return false;
    }
    registry.Store(key, std::move(texture), out);
    return true;
}

bool TextureManager::CreateEmpty(const std::string& name, uint32_t width, uint32_t height, ResourceReference& out) {
    std::string key = NormalizePath(name);
    if (registry.Find(key, out))
        return true;
    Message(LOG_SYSTEM, "Creating empty texture '%s'...", name.c_str());
    Display* display = GetEngine()->GetDisplay();
    std::unique_ptr<Texture> texture(display ? display->CreateTexture(this, name, static_cast<int32_t>(width),
                                                                      static_cast<int32_t>(height), R8G8B8,
                                                                      kFilterNearest, kFilterNearest, kWrapClamp,
                                                                      kWrapClamp)
                                             : nullptr);
    if (!texture) {
        Message(LOG_ERROR, "Cannot create texture object.");
        return false;
    }
    registry.Store(key, std::move(texture), out);
    return true;
}

void TextureManager::OnFileChanged(const std::string& path) {
    ResourceHandle* handle = registry.FindHandle(NormalizePath(path));
    if (!handle)
        return;
    Message(LOG_SYSTEM, "Reloading texture '%s'...", path.c_str());
    std::unique_ptr<Image> image(LoadImage(path));
    if (!image) {
        Message(LOG_ERROR, "Cannot load image from file '%s'.", path.c_str());
        return;
    }
    static_cast<Texture*>(handle->GetResource())->Update(*image);
}
