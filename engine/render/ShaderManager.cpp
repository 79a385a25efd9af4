#include "engine/render/ShaderManager.h"

#include "engine/core/Engine.h"
#include "engine/core/Message.h"
#include "engine/render/Display.h"
#include "engine/render/Shader.h"
#include "engine/render/ShaderProgramManager.h"
#include "engine/render/ShaderSource.h"

#include <memory>

ShaderManager::~ShaderManager() { registry.DestroyAll(); }

void ShaderManager::Remove(const std::string& name) { registry.Erase(NormalizePath(name)); }

bool ShaderManager::Load(const std::string& path, int32_t type, ResourceReference& out) {
    std::string key = NormalizePath(path);
    if (registry.Find(key, out))
        return true;
    Message(LOG_SYSTEM, "Loading shader '%s'...", path.c_str());
    std::string source;
    if (!LoadShaderSource(path, source)) {
        Message(LOG_ERROR, "Cannot load shader source from file '%s'.", path.c_str());
        return false;
    }
    Display* display = GetEngine()->GetDisplay();
    std::unique_ptr<Shader> shader(display ? display->CreateShader(this, path, source, type) : nullptr);
    if (!shader) {
        Message(LOG_ERROR, "Cannot create shader object.");
        return false;
    }
    if (!shader->Compile())
        return false;
    registry.Store(key, std::move(shader), out);
    return true;
}

void ShaderManager::OnFileChanged(const std::string& path) {
    ResourceHandle* handle = registry.FindHandle(NormalizePath(path));
    if (!handle)
        return;
    Message(LOG_SYSTEM, "Reloading shader source '%s'...", path.c_str());
    std::string source;
    if (!LoadShaderSource(path, source)) {
        Message(LOG_ERROR, "Cannot load shader source from file '%s'.", path.c_str());
        return;
    }
    static_cast<Shader*>(handle->GetResource())->Reload(source);
    if (ShaderProgramManager* programs = GetEngine()->GetShaderProgramManager())
        programs->RelinkUsing(path);
}
