#include "engine/platform/DisplayDevices.h"

#include "engine/platform/sdl/SdlSystem.h"
#include "engine/platform/sdl/SdlVideo.h"
#include "engine/platform/sdl/SdlX11Display.h"

#include <SDL.h>
#include <cstdint>

namespace platform {

namespace {

// Starts the video subsystem for a query, if it does not run yet.
class VideoSession {
public:
    VideoSession() : started(StartSdlVideo()) {}
    bool Started() const { return started; }

private:
    bool started;
};

// SDL knows displays by number only: the number gives the device name, and
// the monitor handle is the number plus one, so that it is never null.
std::string DisplayDeviceName(int display) {
    const char* name = SDL_GetDisplayName(display);
    return std::string(name ? name : "Display") + " #" + std::to_string(display);
}

void* MonitorHandle(int display) { return reinterpret_cast<void*>(static_cast<intptr_t>(display) + 1); }

int DisplayOfMonitor(void* monitor) { return monitor ? static_cast<int>(reinterpret_cast<intptr_t>(monitor) - 1) : 0; }

int DisplayNamed(const std::string& deviceName) {
    for (int display = 0; display < SDL_GetNumVideoDisplays(); ++display)
        if (DisplayDeviceName(display) == deviceName)
            return display;
    return -1;
}

struct ProbeWindow {
    SDL_Window* window = nullptr;
    SDL_GLContext context = nullptr;

    ~ProbeWindow() {
        if (context) {
            SDL_GL_MakeCurrent(nullptr, nullptr);
            SDL_GL_DeleteContext(context);
        }
        if (window)
            SDL_DestroyWindow(window);
    }
};

int Attribute(SDL_GLattr attribute) {
    int value = 0;
    SDL_GL_GetAttribute(attribute, &value);
    return value;
}

// Opens a hidden 16 x 16 window with the given depth and stencil request and
// reports the format it got.
ProbeStatus ProbeOneFormat(int x, int y, int depth, int stencil, ExtendedPixelFormatRecord& format) {
    SDL_GL_ResetAttributes();
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, depth);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, stencil);
    SetSdlContextAttributes();
    ProbeWindow probe;
    probe.window = SDL_CreateWindow("", x, y, 16, 16, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN | SDL_WINDOW_BORDERLESS);
    if (!probe.window)
        return ProbeStatus::NoPixelFormat;
    probe.context = SDL_GL_CreateContext(probe.window);
    if (!probe.context)
        return ProbeStatus::NoRenderContext;
    if (SDL_GL_MakeCurrent(probe.window, probe.context) != 0)
        return ProbeStatus::RenderContextNotCurrent;
    format.rgba = true;
    format.colorBits = static_cast<uint32_t>(Attribute(SDL_GL_RED_SIZE) + Attribute(SDL_GL_GREEN_SIZE) +
                                             Attribute(SDL_GL_BLUE_SIZE) + Attribute(SDL_GL_ALPHA_SIZE));
    format.depthBits = static_cast<uint32_t>(Attribute(SDL_GL_DEPTH_SIZE));
    format.stencilBits = static_cast<uint32_t>(Attribute(SDL_GL_STENCIL_SIZE));
    return ProbeStatus::Done;
}

// A hidden query window with no GL of its own: through its X connection the
// driver lists every format at once, as the extended query does.
bool ListFormatsAtOnce(int x, int y, std::vector<ExtendedPixelFormatRecord>& out) {
    ProbeWindow query;
    query.window = SDL_CreateWindow("", x, y, 16, 16, SDL_WINDOW_HIDDEN | SDL_WINDOW_BORDERLESS);
    return query.window && ListGlxPixelFormats(query.window, out);
}

// Where the formats cannot be listed (SDL on EGL), one window and context per
// depth and stencil request.
ProbeStatus ProbeFormatByFormat(int x, int y, PixelFormatProbe& out) {
    // The first, minimal request must succeed; richer ones may be refused.
    const int requests[][2] = {{16, 0}, {16, 8}, {24, 0}, {24, 8}, {32, 0}, {32, 8}};
    bool first = true;
    for (const auto& request : requests) {
        ExtendedPixelFormatRecord format;
        ProbeStatus status = ProbeOneFormat(x, y, request[0], request[1], format);
        if (status == ProbeStatus::Done)
            out.extendedFormats.push_back(format);
        else if (first)
            return status;
        first = false;
    }
    SDL_GL_ResetAttributes();
    return ProbeStatus::Done;
}

}

void ListDisplayDevices(std::vector<DisplayDeviceRecord>& out) {
    out.clear();
    VideoSession video;
    if (!video.Started())
        return;
    for (int display = 0; display < SDL_GetNumVideoDisplays(); ++display) {
        DisplayDeviceRecord record;
        record.deviceName = DisplayDeviceName(display);
        const char* driver = SDL_GetCurrentVideoDriver();
        record.deviceString = std::string(driver ? driver : "video") + " display " + std::to_string(display);
        record.deviceId = driver ? driver : "";
        record.monitorStateFlags.push_back(kMonitorActive | kMonitorAttached);
        out.push_back(record);
    }
}

void ListMonitors(std::vector<MonitorRecord>& out) {
    out.clear();
    VideoSession video;
    if (!video.Started())
        return;
    for (int display = 0; display < SDL_GetNumVideoDisplays(); ++display)
        out.push_back({MonitorHandle(display), DisplayDeviceName(display)});
}

ProbeStatus ProbePixelFormats(void* monitor, PixelFormatProbe& out, std::string& errorText) {
    out = PixelFormatProbe();
    out.extended = true;
    VideoSession video;
    if (!video.Started()) {
        errorText = SDL_GetError();
        return ProbeStatus::NoWindowClass;
    }
    int x = SDL_WINDOWPOS_UNDEFINED;
    int y = SDL_WINDOWPOS_UNDEFINED;
    SDL_Rect area;
    if (monitor && SDL_GetDisplayUsableBounds(DisplayOfMonitor(monitor), &area) == 0) {
        x = area.x;
        y = area.y;
    }
    // The library stays loaded for the window that follows.
    LoadSdlGL();
    if (ListFormatsAtOnce(x, y, out.extendedFormats))
        return ProbeStatus::Done;
    return ProbeFormatByFormat(x, y, out);
}

void ListDisplaySettings(const std::string& deviceName, std::vector<DisplaySettingsRecord>& out) {
    out.clear();
    VideoSession video;
    int display = video.Started() ? DisplayNamed(deviceName) : -1;
    if (display < 0)
        return;
    for (const SDL_DisplayMode& mode : ListDisplayModes(display)) {
        out.push_back({static_cast<uint32_t>(mode.w), static_cast<uint32_t>(mode.h),
                       static_cast<uint32_t>(SDL_BYTESPERPIXEL(mode.format) * 8),
                       static_cast<uint32_t>(mode.refresh_rate)});
    }
}

}
