#pragma once

#include "engine/render/GLFunctions.h"
#include "engine/render/Resource.h"
#include "engine/render/ResourceHandle.h"

#include <map>
#include <string>
#include <vector>

class Display;
class SyncTrack;
class SyncTrackSet;

// A GL program with the shaders it links and a cache of uniform locations,
// each asked for once per link.
class ShaderProgram : public Resource {
public:
    ShaderProgram(ResourceManager* manager, const std::string& name, Display* display)
        : Resource(manager, name), display(display) {}
    ~ShaderProgram() override;

    void Release() override;
    bool IsValid() const override { return glName != 0; }

    virtual bool Create();
    // Attaches the handle's shader and keeps it alive.
    virtual bool AttachShader(const ResourceReference& shader);
    // Empties the location cache; reports the driver's log at ERROR on failure.
    virtual bool Link();
    // Makes the program current unless the device says it already is.
    virtual void Use();

    virtual void SetMatrix4(const std::string& uniform, const float* matrix);
    virtual void SetVec4(const std::string& uniform, const float* values);
    virtual void SetVec3(const std::string& uniform, const float* values);
    virtual void SetVec2(const std::string& uniform, const float* values);
    virtual void SetFloat(const std::string& uniform, float value);
    virtual void SetInt(const std::string& uniform, int32_t value);

    GLuint GetGLName() const { return glName; }

    // Gives each active `sync_` uniform its track's value, or its default
    // while the track has no keys; a uniform is set only when its value
    // changes. Tracks are bound on the first call after a link.
    void ApplySyncTracks(SyncTrackSet& tracks);

private:
    struct SyncUniform {
        std::string track;
        float defaultValue;
        GLint location;
        float lastSet;  // what the program holds now
        const SyncTrack* bound;
    };

    GLint Location(const std::string& uniform);
    void CollectSyncUniforms();
    void SetSyncDefaults();

    std::vector<ResourceReference> shaders;
    Display* display;  // not owned
    GLuint glName = 0;
    std::map<std::string, GLint> uniformLocations;
    std::vector<SyncUniform> syncUniforms;
};
