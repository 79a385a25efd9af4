#include "engine/render/GLCallCounter.h"

#include "engine/render/GLFunctions.h"

namespace {

GLFunctions passedOn;
uint64_t callCount = 0;
uint64_t drawCount = 0;

constexpr bool SameName(const char* a, const char* b) {
    while (*a && *a == *b) {
        ++a;
        ++b;
    }
    return *a == *b;
}

constexpr bool IsDrawCall(const char* name) {
    return SameName(name, "glDrawElements") || SameName(name, "glDrawElementsInstanced") ||
           SameName(name, "glDrawElementsInstancedBaseVertex");
}

template <typename Entry, Entry GLFunctions::*Member, bool Draw>
struct CountingEntry;

template <typename Result, typename... Parameters, Result(ZP_GLAPI* GLFunctions::*Member)(Parameters...), bool Draw>
struct CountingEntry<Result(ZP_GLAPI*)(Parameters...), Member, Draw> {
    static Result ZP_GLAPI Call(Parameters... arguments) {
        ++callCount;
        if constexpr (Draw)
            ++drawCount;
        return (passedOn.*Member)(arguments...);
    }
};

}

#define ZP_GL_COUNT_ENTRY(name, result, parameters) \
    if (gl.name)                                    \
        gl.name = &CountingEntry<decltype(GLFunctions::name), &GLFunctions::name, IsDrawCall(#name)>::Call;

GLCallCounter::GLCallCounter() {
    passedOn = gl;
    callCount = 0;
    drawCount = 0;
    ZP_GL_LINKED_FUNCTIONS(ZP_GL_COUNT_ENTRY)
    ZP_GL_FETCHED_FUNCTIONS(ZP_GL_COUNT_ENTRY)
    // The optional entries, the timer queries, measure the frame and are
    // not counted as part of it.
}

#undef ZP_GL_COUNT_ENTRY

GLCallCounter::~GLCallCounter() { gl = passedOn; }

uint64_t GLCallCounter::GetCount() const { return callCount; }

uint64_t GLCallCounter::GetDrawCount() const { return drawCount; }

void GLCallCounter::Reset() {
    callCount = 0;
    drawCount = 0;
}
