#include "engine/render/OpenGLWindow.h"

#include "engine/platform/ErrorDialog.h"
#include "engine/render/GLFunctions.h"

namespace {

const char* const kInitialCaption = "ZPDemo";
constexpr uint32_t kFullscreenBitsPerPixel = 32;
constexpr uint32_t kAlphaBits = 8;

}

bool OpenGLWindow::Fail(platform::WindowStep step) {
    std::string text = std::string("OpenGLWindow::Open()/") + platform::WindowStepName(step) + " failed.";
    platform::ShowErrorBox("Application error", text.c_str());
    return false;
}

bool OpenGLWindow::Open(const DisplayMode& mode, bool vsync, const std::string& windowClass) {
    width = mode.width;
    height = mode.height;
    fullscreen = mode.fullscreen;
    colorBits = mode.colorBits;
    depthBits = mode.depthBits;
    stencilBits = mode.stencilBits;
    refreshRate = mode.refreshRate;
    className = windowClass;

    if (!CreateWindowAndContext())
        return false;
    if (!LoadGLEntryPoints())
        return false;
    platform::SwapWindowBuffers(windowHandle);
    gl.wglSwapIntervalEXT(vsync ? 1 : 0);
    platform::InhibitScreenSaver(true);
    isOpen = true;
    return true;
}

// Full screen switches the mode first: the window is then made for the new
// screen, undecorated from the start, and its pixel format chosen at the
// mode's depth; a refused mode fails before anything is shown.
bool OpenGLWindow::CreateWindowAndContext() {
    using platform::WindowStep;
    videoStarted = platform::StartVideo(className);
    if (!videoStarted)
        return Fail(WindowStep::StartVideo);
    if (fullscreen) {
        if (!platform::EnterFullscreen(width, height, kFullscreenBitsPerPixel))
            return Fail(WindowStep::ChangeDisplayMode);
        modeChanged = true;
        platform::SetCursorVisible(false);
    }
    platform::GLWindowRequest request;
    request.width = width;
    request.height = height;
    request.fullscreen = fullscreen;
    request.pixelFormat = {colorBits, kAlphaBits, depthBits, stencilBits};
    windowHandle = platform::CreateGLWindow(kInitialCaption, request);
    if (!windowHandle)
        return Fail(WindowStep::CreateWindow);
    renderContext = platform::CreateGLContext(windowHandle);
    if (!renderContext)
        return Fail(WindowStep::CreateContext);
    if (!platform::MakeGLContextCurrent(windowHandle, renderContext))
        return Fail(WindowStep::MakeCurrent);
    return true;
}

// The reverse of opening: context, window, class, then the desktop's mode
// and the cursor.
void OpenGLWindow::Close() {
    if (renderContext)
        platform::DeleteGLContext(renderContext);
    renderContext = nullptr;
    if (windowHandle)
        platform::DestroyGLWindow(windowHandle);
    windowHandle = nullptr;
    if (isOpen)
        platform::InhibitScreenSaver(false);
    if (videoStarted)
        platform::StopVideo();
    videoStarted = false;
    if (modeChanged)
        platform::LeaveFullscreen();
    modeChanged = false;
    if (fullscreen)
        platform::SetCursorVisible(true);
    isOpen = false;
}

void OpenGLWindow::SetTitle(const std::string& caption) {
    if (windowHandle)
        platform::SetWindowCaption(windowHandle, caption.c_str());
}

void OpenGLWindow::SwapBuffers() {
    if (windowHandle)
        platform::SwapWindowBuffers(windowHandle);
}

namespace {

OpenGLWindow::EventListener& Listener() {
    static OpenGLWindow::EventListener listener;
    return listener;
}

}

void OpenGLWindow::SetEventListener(EventListener listener) { Listener() = std::move(listener); }

bool OpenGLWindow::ProcessMessages() {
    platform::WindowEvent event;
    while (platform::PollWindowEvent(event)) {
        const bool taken = Listener() && Listener()(event);
        if (event.type == platform::WindowEventType::Quit)
            return false;
        if (!taken)
            HandleEvent(event);
    }
    return true;
}

void OpenGLWindow::HandleEvent(const platform::WindowEvent& event) {
    using platform::WindowEventType;
    switch (event.type) {
    case WindowEventType::KeyDown:
        if (event.key == platform::Key::Escape && !event.systemKey)
            platform::PostQuitEvent();
        break;
    case WindowEventType::Character:
        if (event.code == platform::kEscapeKey)
            platform::PostQuitEvent();
        break;
    case WindowEventType::Close:
    case WindowEventType::Destroy:
        platform::PostQuitEvent();
        break;
    case WindowEventType::Resize:
        // Harmless without a current context: GL ignores the call then.
        gl.glViewport(0, 0, static_cast<GLsizei>(event.width), static_cast<GLsizei>(event.height));
        break;
    default:
        // Screen-saver and monitor-power requests are swallowed like every
        // other message: they never end the program.
        break;
    }
}
