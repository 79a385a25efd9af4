#include "tools/live/ScratchProgram.h"

#include "engine/render/GLConstants.h"
#include "engine/render/GLFunctions.h"

namespace {

GLenum GLType(int32_t type) {
    switch (type) {
    case 0: return GL_VERTEX_SHADER;
    case 1: return GL_FRAGMENT_SHADER;
    case 2: return GL_GEOMETRY_SHADER;
    default: return 0;
    }
}

std::string ShaderLog(GLuint shader) {
    GLint length = 0;
    gl.glGetShaderiv(shader, GL_INFO_LOG_LENGTH, &length);
    if (length <= 1)
        return std::string();
    std::string log(static_cast<size_t>(length), '\0');
    GLsizei written = 0;
    gl.glGetShaderInfoLog(shader, length, &written, &log[0]);
    log.resize(static_cast<size_t>(written));
    return log;
}

std::string ProgramLog(GLuint program) {
    GLint length = 0;
    gl.glGetProgramiv(program, GL_INFO_LOG_LENGTH, &length);
    if (length <= 1)
        return std::string();
    std::string log(static_cast<size_t>(length), '\0');
    GLsizei written = 0;
    gl.glGetProgramInfoLog(program, length, &written, &log[0]);
    log.resize(static_cast<size_t>(written));
    return log;
}

}

ScratchResult BuildScratchProgram(const std::vector<ScratchShader>& shaders, bool link) {
    ScratchResult result;
    std::vector<GLuint> names;
    for (size_t i = 0; i < shaders.size() && result.ok; ++i) {
        GLenum type = GLType(shaders[i].type);
        GLuint shader = type != 0 ? gl.glCreateShader(type) : 0;
        if (shader == 0) {
            result = {false, static_cast<int>(i), "error: cannot create a shader of this type"};
            break;
        }
        names.push_back(shader);
        const GLchar* text = shaders[i].source.c_str();
        const GLint length = static_cast<GLint>(shaders[i].source.size());
        gl.glShaderSource(shader, 1, &text, &length);
        gl.glCompileShader(shader);
        GLint compiled = 0;
        gl.glGetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
        if (!compiled)
            result = {false, static_cast<int>(i), ShaderLog(shader)};
    }
    if (result.ok && link) {
        GLuint program = gl.glCreateProgram();
        if (program == 0) {
            result = {false, -1, "error: cannot create a program"};
        } else {
            for (GLuint shader : names)
                gl.glAttachShader(program, shader);
            gl.glLinkProgram(program);
            GLint linked = 0;
            gl.glGetProgramiv(program, GL_LINK_STATUS, &linked);
            if (!linked)
                result = {false, -1, ProgramLog(program)};
            // Deleting the program detaches its shaders.
            gl.glDeleteProgram(program);
        }
    }
    for (GLuint shader : names)
        gl.glDeleteShader(shader);
    return result;
}
