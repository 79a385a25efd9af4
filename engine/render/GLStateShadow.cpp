#include "engine/render/GLStateShadow.h"

#include "engine/render/GLConstants.h"

template <typename Value>
bool GLStateShadow::Set(std::optional<Value>& known, const Value& value) {
    if (known == value)
        return false;
    known = value;
    return true;
}

bool GLStateShadow::Capability(GLenum capability, bool enabled) { return Set(capabilities[capability], enabled); }

bool GLStateShadow::BlendFunc(GLenum source, GLenum destination) {
    return Set(blendFunc, std::make_pair(source, destination));
}

bool GLStateShadow::UseProgram(GLuint name) { return Set(program, name); }

bool GLStateShadow::BindBuffer(GLenum target, GLuint buffer) { return Set(buffers[target], buffer); }

bool GLStateShadow::AttributeEnabled(GLuint index, bool enabled) { return Set(attributes[index], enabled); }

bool GLStateShadow::AttributeDivisor(GLuint index, GLuint divisor) { return Set(divisors[index], divisor); }

void GLStateShadow::BuffersDeleted(GLsizei count, const GLuint* names) {
    for (GLsizei k = 0; k < count; ++k)
        for (auto& binding : buffers)
            if (binding.second == names[k] && names[k] != 0)
                binding.second = 0u;
}

bool GLStateShadow::IsCachedCapability(GLenum capability) {
    return capability == GL_DEPTH_TEST || capability == GL_CULL_FACE || capability == GL_BLEND;
}
