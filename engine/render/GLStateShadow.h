#pragma once

#include "engine/render/GLFunctions.h"

#include <map>
#include <optional>
#include <utility>

// What the GL state the render device caches has been set to, as seen from
// the calls themselves: tells a call that changes a value from one that sets
// the value already current. A value nobody has set since the shadow began
// counts as unknown, so its first call is a change.
class GLStateShadow {
public:
    // True when the call changed the value (or it was unknown).
    bool Capability(GLenum capability, bool enabled);
    bool BlendFunc(GLenum source, GLenum destination);
    bool UseProgram(GLuint program);
    bool BindBuffer(GLenum target, GLuint buffer);
    bool AttributeEnabled(GLuint index, bool enabled);
    bool AttributeDivisor(GLuint index, GLuint divisor);
    // Deleting a bound buffer binds 0 in its place.
    void BuffersDeleted(GLsizei count, const GLuint* buffers);

    // Depth test, culling and blending: the capabilities the device caches.
    static bool IsCachedCapability(GLenum capability);

private:
    template <typename Value>
    static bool Set(std::optional<Value>& known, const Value& value);

    std::map<GLenum, std::optional<bool>> capabilities;
    std::optional<std::pair<GLenum, GLenum>> blendFunc;
    std::optional<GLuint> program;
    std::map<GLenum, std::optional<GLuint>> buffers;
    std::map<GLuint, std::optional<bool>> attributes;
    std::map<GLuint, std::optional<GLuint>> divisors;
};
