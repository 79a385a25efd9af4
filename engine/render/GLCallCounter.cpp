#include "engine/render/GLCallCounter.h"

#include "engine/render/GLFunctions.h"

namespace {

GLFunctions passedOn;
uint64_t callCount = 0;

template <typename Entry, Entry GLFunctions::*Member>
struct CountingEntry;

template <typename Result, typename... Parameters, Result(ZP_GLAPI* GLFunctions::*Member)(Parameters...)>
struct CountingEntry<Result(ZP_GLAPI*)(Parameters...), Member> {
    static Result ZP_GLAPI Call(Parameters... arguments) {
        ++callCount;
        return (passedOn.*Member)(arguments...);
    }
};

}

#define ZP_GL_COUNT_ENTRY(name, result, parameters) \
    if (gl.name)                                    \
        gl.name = &CountingEntry<decltype(GLFunctions::name), &GLFunctions::name>::Call;

GLCallCounter::GLCallCounter() {
    passedOn = gl;
    callCount = 0;
    ZP_GL_LINKED_FUNCTIONS(ZP_GL_COUNT_ENTRY)
    ZP_GL_FETCHED_FUNCTIONS(ZP_GL_COUNT_ENTRY)
    // The optional entries, the timer queries, measure the frame and are
    // not counted as part of it.
}

#undef ZP_GL_COUNT_ENTRY

GLCallCounter::~GLCallCounter() { gl = passedOn; }

uint64_t GLCallCounter::GetCount() const { return callCount; }

void GLCallCounter::Reset() { callCount = 0; }
