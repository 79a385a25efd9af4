#include "engine/render/GLCallCounter.h"

#include "engine/render/GLFunctions.h"
#include "engine/render/GLStateShadow.h"

namespace {

GLFunctions passedOn;
GLStateShadow shadow;
uint64_t callCount = 0;
uint64_t drawCount = 0;
uint64_t stateChangeCount = 0;
uint64_t redundantCount = 0;
uint64_t alwaysIssuedCount = 0;

constexpr bool SameName(const char* a, const char* b) {
    while (*a && *a == *b) {
        ++a;
        ++b;
    }
    return *a == *b;
}

enum class Kind { Other, Draw, Enable, Disable, BlendFunc, UseProgram, BindBuffer, DeleteBuffers, EnableAttribute,
                  DisableAttribute, Divisor, AlwaysIssued };

constexpr Kind KindOf(const char* name) {
    if (SameName(name, "glDrawElements") || SameName(name, "glDrawElementsInstanced") ||
        SameName(name, "glDrawElementsInstancedBaseVertex"))
        return Kind::Draw;
    if (SameName(name, "glEnable"))
        return Kind::Enable;
    if (SameName(name, "glDisable"))
        return Kind::Disable;
    if (SameName(name, "glBlendFunc"))
        return Kind::BlendFunc;
    if (SameName(name, "glUseProgram"))
        return Kind::UseProgram;
    if (SameName(name, "glBindBuffer"))
        return Kind::BindBuffer;
    if (SameName(name, "glDeleteBuffers"))
        return Kind::DeleteBuffers;
    if (SameName(name, "glEnableVertexAttribArray"))
        return Kind::EnableAttribute;
    if (SameName(name, "glDisableVertexAttribArray"))
        return Kind::DisableAttribute;
    if (SameName(name, "glVertexAttribDivisor"))
        return Kind::Divisor;
    if (SameName(name, "glBindFramebuffer") || SameName(name, "glViewport") || SameName(name, "glActiveTexture") ||
        SameName(name, "glBindTexture") || SameName(name, "glBindSampler") || SameName(name, "glClearColor") ||
        SameName(name, "glClearDepth") || SameName(name, "glClearStencil"))
        return Kind::AlwaysIssued;
    return Kind::Other;
}

void CountState(bool changed) { ++(changed ? stateChangeCount : redundantCount); }

void CountCapability(GLenum capability, bool enabled) {
    if (GLStateShadow::IsCachedCapability(capability))
        CountState(shadow.Capability(capability, enabled));
    else
        ++alwaysIssuedCount;  // the texture enable of a texture bind
}

template <Kind kind, typename... Parameters>
void Classify(Parameters... arguments) {
    if constexpr (kind == Kind::Draw)
        ++drawCount;
    else if constexpr (kind == Kind::Enable)
        CountCapability(arguments..., true);
    else if constexpr (kind == Kind::Disable)
        CountCapability(arguments..., false);
    else if constexpr (kind == Kind::BlendFunc)
        CountState(shadow.BlendFunc(arguments...));
    else if constexpr (kind == Kind::UseProgram)
        CountState(shadow.UseProgram(arguments...));
    else if constexpr (kind == Kind::BindBuffer)
        CountState(shadow.BindBuffer(arguments...));
    else if constexpr (kind == Kind::DeleteBuffers)
        shadow.BuffersDeleted(arguments...);
    else if constexpr (kind == Kind::EnableAttribute)
        CountState(shadow.AttributeEnabled(arguments..., true));
    else if constexpr (kind == Kind::DisableAttribute)
        CountState(shadow.AttributeEnabled(arguments..., false));
    else if constexpr (kind == Kind::Divisor)
        CountState(shadow.AttributeDivisor(arguments...));
    else if constexpr (kind == Kind::AlwaysIssued)
        ++alwaysIssuedCount;
}

template <typename Entry, Entry GLFunctions::*Member, Kind kind>
struct CountingEntry;

template <typename Result, typename... Parameters, Result(ZP_GLAPI* GLFunctions::*Member)(Parameters...), Kind kind>
struct CountingEntry<Result(ZP_GLAPI*)(Parameters...), Member, kind> {
    static Result ZP_GLAPI Call(Parameters... arguments) {
        ++callCount;
        Classify<kind>(arguments...);
        return (passedOn.*Member)(arguments...);
    }
};

}

#define ZP_GL_COUNT_ENTRY(name, result, parameters) \
    if (gl.name)                                    \
        gl.name = &CountingEntry<decltype(GLFunctions::name), &GLFunctions::name, KindOf(#name)>::Call;

GLCallCounter::GLCallCounter() {
    passedOn = gl;
    shadow = GLStateShadow();
    Reset();
    ZP_GL_LINKED_FUNCTIONS(ZP_GL_COUNT_ENTRY)
    ZP_GL_FETCHED_FUNCTIONS(ZP_GL_COUNT_ENTRY)
    // The optional entries, the timer queries, measure the frame and are
    // not counted as part of it.
}

#undef ZP_GL_COUNT_ENTRY

GLCallCounter::~GLCallCounter() { gl = passedOn; }

uint64_t GLCallCounter::GetCount() const { return callCount; }

uint64_t GLCallCounter::GetDrawCount() const { return drawCount; }

uint64_t GLCallCounter::GetStateChangeCount() const { return stateChangeCount; }

uint64_t GLCallCounter::GetRedundantCount() const { return redundantCount; }

uint64_t GLCallCounter::GetAlwaysIssuedCount() const { return alwaysIssuedCount; }

void GLCallCounter::Reset() {
    callCount = 0;
    drawCount = 0;
    stateChangeCount = 0;
    redundantCount = 0;
    alwaysIssuedCount = 0;
}
