#pragma once

#include "engine/platform/NativeWindow.h"
#include "engine/platform/WindowEvents.h"
#include "engine/render/DisplayMode.h"

#include <cstdint>
#include <functional>
#include <string>

// The native window with its GL context: switches the screen mode for full
// screen and restores it, and pumps the window's messages. Each failing step
// of Open shows its own "OpenGLWindow::Open()/..." box.
class OpenGLWindow {
public:
    OpenGLWindow() = default;
    OpenGLWindow(const OpenGLWindow&) = delete;
    OpenGLWindow& operator=(const OpenGLWindow&) = delete;

    // Leaves whatever a failed Open acquired for Close.
    bool Open(const DisplayMode& mode, bool vsync, const std::string& windowClass);
    // Safe on a partly opened window.
    void Close();
    void SetTitle(const std::string& caption);
    void SwapBuffers();

    // Hears every event the pump takes, before the window's own reaction; a
    // tool's input comes this way. A listener that returns true takes the
    // event, and the window does not react to it (a tool that asks before
    // quitting takes Escape and close); the quit message cannot be taken.
    // An empty function stops it.
    using EventListener = std::function<bool(const platform::WindowEvent&)>;
    static void SetEventListener(EventListener listener);

    // False once the quit message has been seen; never waits.
    static bool ProcessMessages();
    // Reacts to one message: Escape, closing and destroying post the quit
    // message, a resize sets the viewport; nothing else ends the program.
    static void HandleEvent(const platform::WindowEvent& event);

    bool IsOpen() const { return isOpen; }
    platform::NativeWindowHandle GetHandle() const { return windowHandle; }

private:
    bool Fail(platform::WindowStep step);
    bool CreateWindowAndContext();

    bool isOpen = false;
    uint32_t width = 0;
    uint32_t height = 0;
    bool fullscreen = true;
    uint32_t colorBits = 0;
    uint32_t depthBits = 0;
    uint32_t stencilBits = 0;
    uint32_t refreshRate = 0;
    std::string className;
    bool videoStarted = false;
    bool modeChanged = false;
    platform::GLContextHandle renderContext = nullptr;
    platform::NativeWindowHandle windowHandle = nullptr;
};
