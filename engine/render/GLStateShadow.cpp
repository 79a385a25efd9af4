#include "engine/render/GLStateShadow.h"

#include "engine/render/GLConstants.h"

template <typename Key, typename Value>
bool GLStateShadow::Set(std::map<Key, Value>& known, const Key& key, const Value& value) {
    auto found = known.find(key);
    if (found != known.end() && found->second == value)
        return false;
    known[key] = value;
    return true;
}

bool GLStateShadow::Capability(GLenum capability, bool enabled) { return Set(capabilities, capability, enabled); }

bool GLStateShadow::BlendFunc(GLenum source, GLenum destination) {
    return Set(blendFunc, 0, std::make_pair(source, destination));
}

bool GLStateShadow::UseProgram(GLuint name) { return Set(program, 0, name); }

bool GLStateShadow::BindBuffer(GLenum target, GLuint buffer) { return Set(buffers, target, buffer); }

bool GLStateShadow::AttributeEnabled(GLuint index, bool enabled) { return Set(attributes, index, enabled); }

bool GLStateShadow::AttributeDivisor(GLuint index, GLuint divisor) { return Set(divisors, index, divisor); }

void GLStateShadow::BuffersDeleted(GLsizei count, const GLuint* names) {
    for (GLsizei k = 0; k < count; ++k)
        for (auto& binding : buffers)
            if (binding.second == names[k] && names[k] != 0)
                binding.second = 0;
}

bool GLStateShadow::IsCachedCapability(GLenum capability) {
    return capability == GL_DEPTH_TEST || capability == GL_CULL_FACE || capability == GL_BLEND;
}
