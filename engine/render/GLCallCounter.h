#pragma once

#include <cstdint>

// Counts the GL calls the engine makes: while a counter lives, every entry of
// the table points at a stand-in that counts the call and passes it on to the
// function it replaced. One counter at a time; the table is restored when it
// goes.
//
// Calls on the state the render device caches (depth test, culling,
// blending, blend function, program, buffer bindings, attribute enables and
// divisors) are told apart as changes or redundant ones, by the values they
// set. Calls the device issues every time by design (render target binds,
// viewports, textures, clear values) are counted on their own.
class GLCallCounter {
public:
    GLCallCounter();
    ~GLCallCounter();
    GLCallCounter(const GLCallCounter&) = delete;
    GLCallCounter& operator=(const GLCallCounter&) = delete;

    uint64_t GetCount() const;
    // The draw calls among them.
    uint64_t GetDrawCount() const;
    // Calls on cached state that changed a value.
    uint64_t GetStateChangeCount() const;
    // Calls on cached state that set the value already current.
    uint64_t GetRedundantCount() const;
    // Render target binds, viewports, texture units and binds, clear values.
    uint64_t GetAlwaysIssuedCount() const;
    // Zeroes the counts; what is known of the state stays.
    void Reset();
};
