#pragma once

#include "engine/render/FileChangeListener.h"
#include "engine/render/ResourceManager.h"
#include "engine/render/ResourceRegistry.h"

#include <string>

// Shaders loaded from GLSL files, once per normalised path.
class ShaderManager : public ResourceManager, public FileChangeListener {
public:
    ShaderManager() = default;
    ShaderManager(const ShaderManager&) = delete;
    ShaderManager& operator=(const ShaderManager&) = delete;
    ~ShaderManager() override;

    void Remove(const std::string& name) override;
    // out is untouched on failure.
    bool Load(const std::string& path, int32_t type, ResourceReference& out);
    // Recompiles a registered shader from its file and relinks its programs.
    void OnFileChanged(const std::string& path) override;

    void DestroyAll() { registry.DestroyAll(); }
    bool IsEmpty() const { return registry.Empty(); }

private:
    ResourceRegistry registry;
};
