#include "engine/render/ShaderProgram.h"

#include "engine/core/Message.h"
#include "engine/render/Display.h"
#include "engine/render/GLConstants.h"
#include "engine/render/GLErrorText.h"
#include "engine/render/Shader.h"
#include "engine/sync/SyncTrackSet.h"
#include "engine/sync/SyncValue.h"

#include <cstring>

namespace {

const char* const kLinkErrorPrefix = "An error occurred while linking shader program.";

}

ShaderProgram::~ShaderProgram() {
    Release();
    uniformLocations.clear();
}

void ShaderProgram::Release() {
    shaders.clear();
    if (glName != 0) {
        display->ForgetProgram(glName);
        gl.glDeleteProgram(glName);
    }
    glName = 0;
}

bool ShaderProgram::Create() {
    if (glName != 0)
        return false;
    glName = gl.glCreateProgram();
    return glName != 0;
}

bool ShaderProgram::AttachShader(const ResourceReference& shader) {
    gl.glAttachShader(glName, shader.As<Shader>()->GetGLName());
    shaders.push_back(shader);
    return true;
}

bool ShaderProgram::Link() {
    uniformLocations.clear();
    syncUniforms.clear();
    gl.glGetError();
    gl.glLinkProgram(glName);
    GLenum error = gl.glGetError();
    if (error != 0)
        Message(LOG_ERROR, "%s", GetGLErrorText(error, kLinkErrorPrefix).c_str());

    GLint status = 0;
    gl.glGetProgramiv(glName, GL_LINK_STATUS, &status);
    if (status == GL_TRUE) {
        CollectSyncUniforms();
        SetSyncDefaults();
        return true;
    }
    GLint length = 0;
    gl.glGetProgramiv(glName, GL_INFO_LOG_LENGTH, &length);
    std::vector<GLchar> log(static_cast<size_t>(length > 0 ? length : 0) + 1, '\0');
    if (length > 0)
        gl.glGetProgramInfoLog(glName, length, nullptr, log.data());
    Message(LOG_ERROR, "Error log:");
    ErrorBox(log.data());
    return false;
}

void ShaderProgram::Use() { display->BindProgram(glName); }

GLint ShaderProgram::Location(const std::string& uniform) {
    auto found = uniformLocations.find(uniform);
    if (found != uniformLocations.end())
        return found->second;
    // A missing uniform is kept too (-1), so it is asked for only once.
    GLint location = gl.glGetUniformLocation(glName, uniform.c_str());
    uniformLocations.emplace(uniform, location);
    return location;
}

void ShaderProgram::SetMatrix4(const std::string& uniform, const float* matrix) {
    Use();
    gl.glUniformMatrix4fv(Location(uniform), 1, GL_FALSE, matrix);
}

void ShaderProgram::SetVec4(const std::string& uniform, const float* v) {
    Use();
    gl.glUniform4f(Location(uniform), v[0], v[1], v[2], v[3]);
}

void ShaderProgram::SetVec3(const std::string& uniform, const float* v) {
    Use();
    gl.glUniform3f(Location(uniform), v[0], v[1], v[2]);
}

void ShaderProgram::SetVec2(const std::string& uniform, const float* v) {
    Use();
    gl.glUniform2f(Location(uniform), v[0], v[1]);
}

void ShaderProgram::SetFloat(const std::string& uniform, float value) {
    Use();
    gl.glUniform1f(Location(uniform), value);
}

void ShaderProgram::SetInt(const std::string& uniform, int32_t value) {
    Use();
    gl.glUniform1i(Location(uniform), value);
}

void ShaderProgram::CollectSyncUniforms() {
    for (const ResourceReference& reference : shaders) {
        for (const SyncUniformDeclaration& declaration : reference.As<Shader>()->SyncUniforms()) {
            bool known = false;
            for (const SyncUniform& uniform : syncUniforms)
                known = known || uniform.track == declaration.track;
            const GLint location = known ? -1 : Location(kSyncUniformPrefix + declaration.track);
            if (location >= 0)
                syncUniforms.push_back(
                    {declaration.track, declaration.defaultValue, location, declaration.defaultValue, nullptr});
        }
    }
}

// Where the source's initialisers had to go (GLSL ES has none), a fresh link
// holds zero: the initialisers' values are set here, on every platform, so
// that nothing more is set until a track says otherwise.
void ShaderProgram::SetSyncDefaults() {
    if (syncUniforms.empty())
        return;
    const GLuint previous = display->BoundProgram();
    Use();
    for (const SyncUniform& uniform : syncUniforms)
        gl.glUniform1f(uniform.location, uniform.defaultValue);
    if (previous != glName)
        display->BindProgram(previous);
}

void ShaderProgram::ApplySyncTracks(SyncTrackSet& tracks) {
    GLuint previous = 0;
    bool bound = false;
    for (SyncUniform& uniform : syncUniforms) {
        if (!uniform.bound)
            uniform.bound = &tracks.Bind(uniform.track, "uniform, " + FormatSyncDefault(uniform.defaultValue));
        const float value = uniform.bound->ValueOr(tracks.Row(), uniform.defaultValue);
        if (std::memcmp(&value, &uniform.lastSet, sizeof value) == 0)
            continue;
        if (!bound) {
            previous = display->BoundProgram();
            Use();
            bound = true;
        }
        gl.glUniform1f(uniform.location, value);
        uniform.lastSet = value;
    }
    if (bound && previous != glName)
        display->BindProgram(previous);
}
