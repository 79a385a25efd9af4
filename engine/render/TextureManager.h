#pragma once

#include "engine/render/FileChangeListener.h"
#include "engine/render/ResourceManager.h"
#include "engine/render/ResourceRegistry.h"

#include <cstdint>
#include <string>
#include <vector>

struct Image;

// Textures made from decoded images (by the image's name) and empty ones
// for render targets.
class TextureManager : public ResourceManager, public FileChangeListener {
public:
    TextureManager() = default;
    TextureManager(const TextureManager&) = delete;
    TextureManager& operator=(const TextureManager&) = delete;
    ~TextureManager() override;

    void Remove(const std::string& name) override;
    // Linear filtering, repeated; the image stays the caller's. out is
    // untouched on failure.
    bool Load(const Image& image, ResourceReference& out);
    // Nearest filtering, clamped, R8G8B8 without pixels; an existing name is
    // returned as it is, whatever its size.
    bool CreateEmpty(const std::string& name, uint32_t width, uint32_t height, ResourceReference& out);
    // Uploads the changed image into the registered texture in place.
    void OnFileChanged(const std::string& path) override;

    // The names of the registered textures, in order: the images' paths as
    // normalised, and the names of empty textures.
    std::vector<std::string> Keys() const {
        std::vector<std::string> keys;
        for (const auto& entry : registry.Entries())
            keys.push_back(entry.first);
        return keys;
    }
    void DestroyAll() { registry.DestroyAll(); }
    bool IsEmpty() const { return registry.Empty(); }

private:
    ResourceRegistry registry;
};
