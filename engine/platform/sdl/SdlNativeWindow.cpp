#include "engine/platform/NativeWindow.h"

#include "engine/platform/sdl/SdlFullscreenRoute.h"
#include "engine/platform/sdl/SdlSystem.h"
#include "engine/platform/sdl/SdlVideo.h"
#include "engine/platform/sdl/SdlX11Display.h"

#include <SDL.h>
#include <cstdlib>
#include <vector>

namespace platform {

namespace {

SDL_Window* AsWindow(NativeWindowHandle window) { return static_cast<SDL_Window*>(window); }

// SDL switches the mode of a window, not of the screen: EnterFullscreen
// settles the mode, and the window takes it once it exists.
SDL_DisplayMode fullscreenMode{};

// Window creation takes several calls; the box names the one that failed.
const char* createWindowFailure = "SDL_CreateWindow()";

void SetColorAttributes(uint32_t colorBits, uint32_t alphaBits) {
    int channel = colorBits <= 16 ? 5 : 8;
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, channel);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, colorBits <= 16 ? 6 : 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, channel);
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, static_cast<int>(alphaBits));
}

void SetPixelFormatAttributes(const PixelFormatRequest& request) {
    SDL_GL_ResetAttributes();
    SetColorAttributes(request.colorBits, request.alphaBits);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, static_cast<int>(request.depthBits));
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, static_cast<int>(request.stencilBits));
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SetSdlContextAttributes();
}

void AddUnique(std::vector<uint32_t>& values, uint32_t value) {
    for (uint32_t present : values)
        if (present == value)
            return;
    values.push_back(value);
}

// The request first, then smaller depth, alpha and stencil, the way a driver
// offers its nearest format instead of refusing (no 32-bit depth gets 24).
std::vector<PixelFormatRequest> NearestRequests(const PixelFormatRequest& request) {
    std::vector<uint32_t> depths{request.depthBits};
    for (uint32_t depth : {24u, 16u})
        if (depth < request.depthBits)
            AddUnique(depths, depth);
    std::vector<uint32_t> alphas{request.alphaBits};
    AddUnique(alphas, 0);
    std::vector<uint32_t> stencils{request.stencilBits};
    AddUnique(stencils, 0);

    std::vector<PixelFormatRequest> requests;
    for (uint32_t stencil : stencils)
        for (uint32_t alpha : alphas)
            for (uint32_t depth : depths)
                requests.push_back({request.colorBits, alpha, depth, stencil});
    return requests;
}

// A listed mode of exactly that size, the one of that depth if there is one.
bool FindDisplayMode(int display, uint32_t width, uint32_t height, uint32_t bitsPerPixel, SDL_DisplayMode& found) {
    bool any = false;
    for (const SDL_DisplayMode& mode : ListDisplayModes(display)) {
        if (static_cast<uint32_t>(mode.w) != width || static_cast<uint32_t>(mode.h) != height)
            continue;
        bool sameDepth = static_cast<uint32_t>(SDL_BYTESPERPIXEL(mode.format) * 8) == bitsPerPixel;
        if (!any || sameDepth)
            found = mode;
        any = true;
        if (sameDepth)
            return true;
    }
    return any;
}

ScreenFacts ScreenFactsOf(SDL_Window* window) {
    ScreenFacts facts;
    facts.windowManager = WindowManagerRuns(window);
    SDL_DisplayMode current;
    if (SDL_GetCurrentDisplayMode(0, &current) == 0) {
        facts.width = static_cast<uint32_t>(current.w);
        facts.height = static_cast<uint32_t>(current.h);
    }
    return facts;
}

// Shows the hidden full-screen window over the screen in the mode
// EnterFullscreen settled; false when it does not cover it at that size.
bool CoverScreen(SDL_Window* window) {
    const uint32_t width = static_cast<uint32_t>(fullscreenMode.w);
    const uint32_t height = static_cast<uint32_t>(fullscreenMode.h);
    if (ChooseFullscreenRoute(ScreenFactsOf(window), width, height) == FullscreenRoute::PlainWindow) {
        NoteWindowStep("SDL_ShowWindow");
        SDL_ShowWindow(window);
        return true;
    }
    NoteWindowStep("SDL_SetWindowFullscreen");
    SDL_ShowWindow(window);
    int shownWidth = 0;
    int shownHeight = 0;
    if (SDL_SetWindowDisplayMode(window, &fullscreenMode) == 0 &&
        SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN) == 0)
        SDL_GetWindowSize(window, &shownWidth, &shownHeight);
    return shownWidth == fullscreenMode.w && shownHeight == fullscreenMode.h;
}

}

const char* WindowStepName(WindowStep step) {
    switch (step) {
    case WindowStep::StartVideo: return "SDL_InitSubSystem()";
    case WindowStep::CreateWindow: return createWindowFailure;
    case WindowStep::ChangeDisplayMode: return "SDL_SetWindowFullscreen()";
    case WindowStep::CreateContext: return "SDL_GL_CreateContext()";
    case WindowStep::MakeCurrent: return "SDL_GL_MakeCurrent()";
    }
    return "?";
}

bool StartVideo(const std::string& className) {
    // The X11 video driver reads the window class when it first starts.
    if (!className.empty())
        setenv("SDL_VIDEO_X11_WMCLASS", className.c_str(), 1);
    return StartSdlVideo();
}

// The video subsystem stays up for the process (see StartSdlVideo).
void StopVideo() {}

bool EnterFullscreen(uint32_t width, uint32_t height, uint32_t bitsPerPixel) {
    // Only a size the display lists: SDL would otherwise hand out a window
    // of the desktop's size and leave the picture in a corner of it.
    if (!FindDisplayMode(0, width, height, bitsPerPixel, fullscreenMode)) {
        SDL_SetError("The display has no %ux%u mode.", width, height);
        return false;
    }
    return true;
}

// The window gave the desktop its mode back as it went.
void LeaveFullscreen() {}

NativeWindowHandle CreateGLWindow(const char* caption, const GLWindowRequest& request) {
    createWindowFailure = "SDL_CreateWindow()";
    LoadSdlGL();
    const int centred = SDL_WINDOWPOS_CENTERED_DISPLAY(0);
    // Full screen stays hidden until it is known how to cover the screen.
    const Uint32 flags = SDL_WINDOW_OPENGL | (request.fullscreen ? SDL_WINDOW_HIDDEN : 0);
    SDL_Window* window = nullptr;
    for (const PixelFormatRequest& attempt : NearestRequests(request.pixelFormat)) {
        SetPixelFormatAttributes(attempt);
        NoteWindowStep("SDL_CreateWindow");
        NoteCreatedWindowStyle(flags, 0);
        window = SDL_CreateWindow(caption, centred, centred, static_cast<int>(request.width),
                                  static_cast<int>(request.height), flags);
        if (window)
            break;
    }
    if (!window || !request.fullscreen)
        return window;
    if (!CoverScreen(window)) {
        createWindowFailure = "SDL_SetWindowFullscreen()";
        DestroyGLWindow(window);
        return nullptr;
    }
    return window;
}

void DestroyGLWindow(NativeWindowHandle window) {
    if (SDL_GetWindowFlags(AsWindow(window)) & SDL_WINDOW_FULLSCREEN) {
        NoteWindowStep("SDL_SetWindowFullscreen(desktop)");
        SDL_SetWindowFullscreen(AsWindow(window), 0);
    }
    NoteWindowStep("SDL_DestroyWindow");
    SDL_DestroyWindow(AsWindow(window));
}

GLContextHandle CreateGLContext(NativeWindowHandle window) {
    NoteWindowStep("SDL_GL_CreateContext");
    return SDL_GL_CreateContext(AsWindow(window));
}

bool MakeGLContextCurrent(NativeWindowHandle window, GLContextHandle context) {
    NoteWindowStep("SDL_GL_MakeCurrent");
    return SDL_GL_MakeCurrent(AsWindow(window), static_cast<SDL_GLContext>(context)) == 0;
}

void DeleteGLContext(GLContextHandle context) {
    NoteWindowStep("SDL_GL_DeleteContext");
    SDL_GL_MakeCurrent(nullptr, nullptr);
    SDL_GL_DeleteContext(static_cast<SDL_GLContext>(context));
}

void SwapWindowBuffers(NativeWindowHandle window) {
    SDL_GL_SwapWindow(AsWindow(window));
    AfterSdlSwap();
}

void SetWindowCaption(NativeWindowHandle window, const char* caption) { SDL_SetWindowTitle(AsWindow(window), caption); }

void SetCursorVisible(bool visible) { SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE); }

void InhibitScreenSaver(bool inhibit) {
    if (inhibit)
        SDL_DisableScreenSaver();
    else
        SDL_EnableScreenSaver();
}

}
