#include "engine/render/ShaderProgram.h"

#include "engine/core/Message.h"
#include "engine/render/Display.h"
#include "engine/render/GLConstants.h"
#include "engine/render/GLErrorText.h"
#include "engine/render/Shader.h"

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
    gl.glGetError();
    gl.glLinkProgram(glName);
    GLenum error = gl.glGetError();
    if (error != 0)
        Message(LOG_ERROR, "%s", GetGLErrorText(error, kLinkErrorPrefix).c_str());

    GLint status = 0;
    gl.glGetProgramiv(glName, GL_LINK_STATUS, &status);
    if (status == GL_TRUE)
        return true;
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
