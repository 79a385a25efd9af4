#include "engine/platform/sdl/SdlX11Display.h"

#include <SDL.h>
#include <SDL_syswm.h>

#if defined(SDL_VIDEO_DRIVER_X11)
#include <GL/glx.h>
#include <X11/Xatom.h>
#endif

namespace platform {

#if defined(SDL_VIDEO_DRIVER_X11)

namespace {

using ChooseFBConfigFunction = GLXFBConfig* (*)(Display*, int, const int*, int*);
using GetFBConfigAttribFunction = int (*)(Display*, GLXFBConfig, int, int*);

Display* X11DisplayOf(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11)
        return nullptr;
    return info.info.x11.display;
}

ExtendedPixelFormatRecord FormatOf(Display* display, GLXFBConfig config, GetFBConfigAttribFunction attribute) {
    auto value = [&](int name) {
        int result = 0;
        attribute(display, config, name, &result);
        return static_cast<uint32_t>(result);
    };
    ExtendedPixelFormatRecord format;
    format.rgba = true;
    format.colorBits = value(GLX_RED_SIZE) + value(GLX_GREEN_SIZE) + value(GLX_BLUE_SIZE) + value(GLX_ALPHA_SIZE);
    format.depthBits = value(GLX_DEPTH_SIZE);
    format.stencilBits = value(GLX_STENCIL_SIZE);
    return format;
}

}

bool ListGlxPixelFormats(SDL_Window* window, std::vector<ExtendedPixelFormatRecord>& out) {
    out.clear();
    Display* display = X11DisplayOf(window);
    auto choose = reinterpret_cast<ChooseFBConfigFunction>(SDL_GL_GetProcAddress("glXChooseFBConfig"));
    auto attribute = reinterpret_cast<GetFBConfigAttribFunction>(SDL_GL_GetProcAddress("glXGetFBConfigAttrib"));
    if (!display || !choose || !attribute)
        return false;
    const int wanted[] = {GLX_DRAWABLE_TYPE, GLX_WINDOW_BIT, GLX_RENDER_TYPE, GLX_RGBA_BIT, GLX_DOUBLEBUFFER, True,
                          None};
    int count = 0;
    GLXFBConfig* configs = choose(display, DefaultScreen(display), wanted, &count);
    if (!configs)
        return false;
    for (int index = 0; index < count; ++index)
        out.push_back(FormatOf(display, configs[index], attribute));
    XFree(configs);
    return true;
}

bool WindowManagerRuns(SDL_Window* window) {
    Display* display = X11DisplayOf(window);
    if (!display)
        return true;
    Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", False);
    Atom type = None;
    int format = 0;
    unsigned long items = 0;
    unsigned long left = 0;
    unsigned char* data = nullptr;
    bool announced = XGetWindowProperty(display, DefaultRootWindow(display), check, 0, 1, False, XA_WINDOW, &type,
                                        &format, &items, &left, &data) == Success &&
                     items > 0;
    if (data)
        XFree(data);
    return announced;
}

#else

bool ListGlxPixelFormats(SDL_Window*, std::vector<ExtendedPixelFormatRecord>& out) {
    out.clear();
    return false;
}

bool WindowManagerRuns(SDL_Window*) { return true; }

#endif

}
