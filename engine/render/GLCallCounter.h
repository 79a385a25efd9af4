#pragma once

#include <cstdint>

// Counts the GL calls the engine makes: while a counter lives, every entry of
// the table points at a stand-in that counts the call and passes it on to the
// function it replaced. One counter at a time; the table is restored when it
// goes.
class GLCallCounter {
public:
    GLCallCounter();
    ~GLCallCounter();
    GLCallCounter(const GLCallCounter&) = delete;
    GLCallCounter& operator=(const GLCallCounter&) = delete;

    uint64_t GetCount() const;
    // The draw calls among them.
    uint64_t GetDrawCount() const;
    void Reset();
};
