#pragma once

struct GLFunctions;

namespace platform {

// Puts the OpenGL 1.1 functions of the linked GL library into the table.
void FillLinkedGLFunctions(GLFunctions& table);

// The address of a GL entry point in the current context, or null. The
// swap-interval entry "wglSwapIntervalEXT" is answered with the platform's
// own swap-interval call, whatever the driver's name for it.
void* GetGLProcAddress(const char* name);

// True for an entry point the platform's GL cannot have (WebGL 2 has no
// base-vertex draws): the fetch leaves it null and goes on, and the engine
// does without it.
bool LacksGLEntryPoint(const char* name);

}
