#pragma once

#include <cstdint>
#include <string>

namespace platform {

using NativeWindowHandle = void*;
using GLContextHandle = void*;

// The steps of opening a GL window, in the order they run; each failure
// names its step in the error box.
enum class WindowStep {
    StartVideo,
    CreateWindow,
    ChangeDisplayMode,
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

// A visible window with a GL-capable pixel format, its client area width x
// height, centred on the primary screen; the closest pixel format the driver
// offers is taken. Null on failure.
NativeWindowHandle CreateGLWindow(const char* caption, uint32_t width, uint32_t height, const PixelFormatRequest& request);
// Switches the screen to width x height at the given depth for this window;
// false when the screen cannot take exactly that size.
bool EnterFullscreen(NativeWindowHandle window, uint32_t width, uint32_t height, uint32_t bitsPerPixel);
// Gives the screen its desktop mode back.
void LeaveFullscreen(NativeWindowHandle window);
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

}
