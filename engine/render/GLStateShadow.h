#pragma once

#include "engine/render/GLFunctions.h"

#include <map>
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
    template <typename Key, typename Value>
    static bool Set(std::map<Key, Value>& known, const Key& key, const Value& value);

    std::map<GLenum, bool> capabilities;
    std::map<int, std::pair<GLenum, GLenum>> blendFunc;  // one entry, key 0
    std::map<int, GLuint> program;                      // one entry, key 0
    std::map<GLenum, GLuint> buffers;
    std::map<GLuint, bool> attributes;
    std::map<GLuint, GLuint> divisors;
};
