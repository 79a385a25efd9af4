#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

using NativeWindowHandle = void*;
using GLContextHandle = void*;

// The steps of opening a GL window, in the order they run; each failure
// names its step in the error box.
enum class WindowStep {
    StartVideo,
    ChangeDisplayMode,
    CreateWindow,
    CreateContext,
    MakeCurrent,
};

// The backend's own name of a step, as the box shows it ("...()").
const char* WindowStepName(WindowStep step);

// What the window's pixel format should hold; the closest offered one is taken.
struct PixelFormatRequest {
    uint32_t colorBits = 32;
    uint32_t alphaBits = 8;
    uint32_t depthBits = 24;
    uint32_t stencilBits = 0;
};

// The window class name becomes the class the window system shows for the
// windows made afterwards; a backend that reads it once takes the first one
// given. Start it before any display query, so that the class is in place.
bool StartVideo(const std::string& className);
void StopVideo();

// Switches the screen to width x height at the given depth, before the
// window is made, so that neither a framed window nor the desktop's pixel
// formats are ever seen; false when the screen cannot take exactly that size.
bool EnterFullscreen(uint32_t width, uint32_t height, uint32_t bitsPerPixel);
// Gives the screen its desktop mode back, once the window has gone.
void LeaveFullscreen();

struct GLWindowRequest {
    uint32_t width = 0;   // of the client area
    uint32_t height = 0;
    // Made for the screen EnterFullscreen switched: covering it, without a
    // frame or caption from the start. Otherwise a framed window.
    bool fullscreen = false;
    PixelFormatRequest pixelFormat;
};

// A visible window with a GL-capable pixel format, centred on the primary
// screen; the closest pixel format the driver offers is taken. Null on
// failure.
NativeWindowHandle CreateGLWindow(const char* caption, const GLWindowRequest& request);
void DestroyGLWindow(NativeWindowHandle window);

// A compatibility-profile context for the window; null on failure.
GLContextHandle CreateGLContext(NativeWindowHandle window);
bool MakeGLContextCurrent(NativeWindowHandle window, GLContextHandle context);
// Makes no context current and deletes this one.
void DeleteGLContext(GLContextHandle context);

void SwapWindowBuffers(NativeWindowHandle window);
void SetWindowCaption(NativeWindowHandle window, const char* caption);
void SetCursorVisible(bool visible);
// While inhibited, the screen saver and monitor power saving do not start.
void InhibitScreenSaver(bool inhibit);

// What the backend did to open and close windows, for tests.
struct WindowStepLog {
    std::vector<std::string> steps;  // the system calls by name, in order
    // The style bits the last window was created with (on Windows the style
    // and the extended style).
    uint32_t createdStyle = 0;
    uint32_t createdExtendedStyle = 0;
};

// While a log is set, the backend appends to it; null (the start) stops it.
void RecordWindowSteps(WindowStepLog* log);
// For the backends.
void NoteWindowStep(const char* step);
void NoteCreatedWindowStyle(uint32_t style, uint32_t extendedStyle);

}
