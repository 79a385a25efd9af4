#pragma once

#include "engine/render/GLFunctions.h"
#include "engine/render/Resource.h"
#include "engine/render/SyncUniforms.h"

#include <string>
#include <vector>

enum ShaderType : int32_t {
    VERTEX_SHADER = 0,
    FRAGMENT_SHADER = 1,
    GEOMETRY_SHADER = 2,
};

class Shader : public Resource {
public:
    Shader(ResourceManager* manager, const std::string& name, int32_t type) : Resource(manager, name), type(type) {}
    ~Shader() override;

    void Release() override;
    bool IsValid() const override { return glName != 0; }

    // Makes the GL shader and gives it the source; compiling is separate.
    virtual bool Create(const std::string& source);
    // Reports the driver's log at ERROR when compilation fails.
    virtual bool Compile();
    // New source on the same GL shader, compiled; programs using it must link again.
    virtual bool Reload(const std::string& source);

    int32_t GetType() const { return type; }
    // The `sync_` uniforms its current source declares.
    const std::vector<SyncUniformDeclaration>& SyncUniforms() const { return syncUniforms; }
    GLuint GetGLName() const { return glName; }

private:
    void SetSource(const std::string& source);

    int32_t type;
    GLuint glName = 0;
    std::vector<SyncUniformDeclaration> syncUniforms;
};
