#include "engine/render/ShaderProgramManager.h"

#include "engine/core/Engine.h"
#include "engine/core/Message.h"
#include "engine/render/Display.h"
#include "engine/render/ShaderManager.h"
#include "engine/render/ShaderProgram.h"

#include <memory>

std::string ShaderProgramKey(const ShaderProgramDescriptor& descriptor) {
    std::string key;
    for (const auto& entry : descriptor) {
        if (!key.empty())
            key += "|";
        key += NormalizePath(entry.second);
    }
    return NormalizePath(key);
}

ShaderProgramManager::~ShaderProgramManager() { registry.DestroyAll(); }

void ShaderProgramManager::Remove(const std::string& name) { registry.Erase(NormalizePath(name)); }

bool ShaderProgramManager::Load(const std::string& vertexPath, const std::string& fragmentPath,
                                ResourceReference& out) {
    return Load(ShaderProgramDescriptor{{0, vertexPath}, {1, fragmentPath}}, out);
}

bool ShaderProgramManager::Load(const ShaderProgramDescriptor& descriptor, ResourceReference& out) {
    if (descriptor.empty()) {
        Message(LOG_ERROR, "Invalid shader program descriptor.");
        return false;
    }
    std::string key = ShaderProgramKey(descriptor);
    if (registry.Find(key, out))
        return true;
    Message(LOG_SYSTEM, "Loading shader program '%s'...", key.c_str());
    Display* display = GetEngine()->GetDisplay();
    std::unique_ptr<ShaderProgram> program(display ? display->CreateShaderProgram(this, key) : nullptr);
    if (!program) {
        Message(LOG_ERROR, "Cannot create shader program object.");
        return false;
    }
    ShaderManager* shaders = GetEngine()->GetShaderManager();
    for (const auto& entry : descriptor) {
        ResourceReference shader;
        if (!shaders || !shaders->Load(entry.second, entry.first, shader))
            return false;
        program->AttachShader(shader);
    }
    if (!program->Link())
        return false;
    registry.Store(key, std::move(program), out);
    return true;
}

bool ShaderProgramManager::RelinkUsing(const std::string& path) {
    std::string normalized = NormalizePath(path);
    bool allLinked = true;
    for (const auto& entry : registry.Entries()) {
        if (entry.first.find(normalized) == std::string::npos)
            continue;
        if (!static_cast<ShaderProgram*>(entry.second->GetResource())->Link())
            allLinked = false;
    }
    return allLinked;
}

void ShaderProgramManager::ApplySyncTracks(SyncTrackSet& tracks) {
    for (const auto& entry : registry.Entries())
        if (auto* program = static_cast<ShaderProgram*>(entry.second->GetResource()))
            program->ApplySyncTracks(tracks);
}
