#pragma once

#include "engine/render/ResourceManager.h"
#include "engine/render/ResourceRegistry.h"

#include <map>
#include <string>
#include <vector>

class SyncTrackSet;

// Shader type (0 vertex, 1 fragment, 2 geometry) to shader file path.
using ShaderProgramDescriptor = std::map<int32_t, std::string>;

// The key of a descriptor: its normalised paths in type order, joined by "|".
std::string ShaderProgramKey(const ShaderProgramDescriptor& descriptor);

// Programs linked from sets of shader files, once per key.
class ShaderProgramManager : public ResourceManager {
public:
    ShaderProgramManager() = default;
    ShaderProgramManager(const ShaderProgramManager&) = delete;
    ShaderProgramManager& operator=(const ShaderProgramManager&) = delete;
    ~ShaderProgramManager() override;

    void Remove(const std::string& name) override;
    // out is untouched on failure.
    bool Load(const ShaderProgramDescriptor& descriptor, ResourceReference& out);
    bool Load(const std::string& vertexPath, const std::string& fragmentPath, ResourceReference& out);
    // Links again every program whose key contains the path; false if any failed.
    bool RelinkUsing(const std::string& path);
    // The keys of the registered programs, in order.
    std::vector<std::string> Keys() const {
        std::vector<std::string> keys;
        for (const auto& entry : registry.Entries())
            keys.push_back(entry.first);
        return keys;
    }

    // Every program's `sync_` uniforms take their tracks' values.
    void ApplySyncTracks(SyncTrackSet& tracks);

    void DestroyAll() { registry.DestroyAll(); }
    bool IsEmpty() const { return registry.Empty(); }

private:
    ResourceRegistry registry;
};
