#include "engine/render/Shader.h"

#include "engine/core/Message.h"
#include "engine/render/GLConstants.h"
#include "engine/render/GLErrorText.h"

#include <vector>

namespace {

GLenum GLShaderType(int32_t type) {
    switch (type) {
    case VERTEX_SHADER: return GL_VERTEX_SHADER;
    case FRAGMENT_SHADER: return GL_FRAGMENT_SHADER;
    case GEOMETRY_SHADER: return GL_GEOMETRY_SHADER;
    default: return 0;
    }
}

const char* const kCompileErrorPrefix = "An error occurred during shader compilation.";

}

Shader::~Shader() { Release(); }

void Shader::Release() {
    if (glName != 0)
        gl.glDeleteShader(glName);
    glName = 0;
}

bool Shader::Create(const std::string& source) {
    GLenum glType = GLShaderType(type);
    if (glName != 0 || glType == 0)
        return false;
    glName = gl.glCreateShader(glType);
    if (glName == 0)
        return false;
    SetSource(source);
    return true;
}

void Shader::SetSource(const std::string& source) {
    syncUniforms = FindSyncUniforms(source);
    const GLchar* text = source.c_str();
    gl.glShaderSource(glName, 1, &text, nullptr);
}

bool Shader::Compile() {
    gl.glGetError();
    gl.glCompileShader(glName);
    GLenum error = gl.glGetError();
    if (error != 0)
        Message(LOG_ERROR, "%s", GetGLErrorText(error, kCompileErrorPrefix).c_str());

    GLint status = 0;
    gl.glGetShaderiv(glName, GL_COMPILE_STATUS, &status);
    if (status == GL_TRUE)
        return true;
    GLint length = 0;
    gl.glGetShaderiv(glName, GL_INFO_LOG_LENGTH, &length);
    std::vector<GLchar> log(static_cast<size_t>(length > 0 ? length : 0) + 1, '\0');
    if (length > 0)
        gl.glGetShaderInfoLog(glName, length, nullptr, log.data());
    std::string report = std::string(kCompileErrorPrefix) + " Error log:" + log.data();
    ErrorBox(report.c_str());
    return false;
}

bool Shader::Reload(const std::string& source) {
    SetSource(source);
    return Compile();
}
