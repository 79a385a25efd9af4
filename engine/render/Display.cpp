#include "engine/render/Display.h"

#include "engine/core/Message.h"
#include "engine/platform/DisplayDevices.h"
#include "engine/platform/NativeWindow.h"
#include "engine/render/AdapterSelection.h"
#include "engine/render/GLConstants.h"
#include "engine/render/ModeSelection.h"
#include "engine/render/OpenGLWindow.h"
#include "engine/render/RenderTarget.h"

namespace {

const char* const kWindowClassName = "ZPDEMO_WINDOW";

const char* GLText(GLenum name) {
    const GLubyte* text = gl.glGetString(name);
    return text ? reinterpret_cast<const char*>(text) : "";
}

// Reports a failed probe step; true when the probe went through.
bool ReportProbe(platform::ProbeStatus status, const std::string& errorText) {
    switch (status) {
    case platform::ProbeStatus::Done: return true;
    case platform::ProbeStatus::NoWindowClass:
        Message(LOG_ERROR, "Cannot register window class. %s", errorText.c_str());
        return false;
    case platform::ProbeStatus::NoPixelFormat: Message(LOG_ERROR, "Cannot find suitable pixel format."); return false;
    case platform::ProbeStatus::PixelFormatNotSet: Message(LOG_ERROR, "Cannot set pixel format."); return false;
    case platform::ProbeStatus::NoRenderContext: Message(LOG_ERROR, "Cannot create render context."); return false;
    case platform::ProbeStatus::RenderContextNotCurrent: Message(LOG_ERROR, "Cannot select render context."); return false;
    }
    return false;
}

// Every blank-separated piece on its own line; empty pieces are skipped.
void LogExtensions(const std::string& extensions) {
    Message(LOG_SYSTEM, "Extensions:");
    size_t start = 0;
    while (start < extensions.size()) {
        size_t end = extensions.find(' ', start);
        if (end == std::string::npos)
            end = extensions.size();
        if (end > start)
            Message(LOG_SYSTEM, "  %s", extensions.substr(start, end - start).c_str());
        start = end + 1;
    }
}

}

Display::Display() = default;

// The named targets are released by Close; here only the map goes.
Display::~Display() = default;

bool Display::EnumerateAdapters(std::vector<DisplayAdapter>& out) {
    // Queries may start the window system; it must know the window class then.
    platform::StartVideo(kWindowClassName);
    std::vector<platform::DisplayDeviceRecord> devices;
    std::vector<platform::MonitorRecord> monitors;
    platform::ListDisplayDevices(devices);
    platform::ListMonitors(monitors);
    SelectDisplayAdapters(devices, monitors, out);
    return true;
}

bool Display::EnumerateModes(const DisplayAdapter& adapter, std::vector<DisplayMode>& out) {
    out.clear();
    platform::StartVideo(kWindowClassName);
    platform::PixelFormatProbe probe;
    std::string errorText;
    if (!ReportProbe(platform::ProbePixelFormats(adapter.monitor, probe, errorText), errorText))
        return false;
    std::vector<platform::DisplaySettingsRecord> settings;
    platform::ListDisplaySettings(adapter.deviceName, settings);
    BuildModeList(CollectPixelFormatCandidates(probe), settings, adapter.deviceName, out);
    return true;
}

bool Display::Open(const DisplayAdapter&, const DisplayMode& mode, bool vsync) {
    ResetStateCache();
    window = std::make_unique<OpenGLWindow>();
    if (!window->Open(mode, vsync, kWindowClassName))
        return false;
    LogOpenedDisplay(mode);
    currentMode = mode;
    return true;
}

void Display::LogOpenedDisplay(const DisplayMode& mode) {
    Message(LOG_SYSTEM, "Opened OpenGL display");
    Message(LOG_SYSTEM, "  Renderer: %s", GLText(GL_RENDERER));
    Message(LOG_SYSTEM, "  Vendor: %s", GLText(GL_VENDOR));
    Message(LOG_SYSTEM, "  Version: %s", GLText(GL_VERSION));
    if (mode.fullscreen)
        Message(LOG_SYSTEM, "  Fullscreen (%dx%d), color: %d, depth: %d, stencil: %d", static_cast<int>(mode.width),
                static_cast<int>(mode.height), static_cast<int>(mode.colorBits), static_cast<int>(mode.depthBits),
                static_cast<int>(mode.stencilBits));
    else
        Message(LOG_SYSTEM, "  Windowed (%dx%d)", static_cast<int>(mode.width), static_cast<int>(mode.height));
    LogExtensions(GLText(GL_EXTENSIONS));
}

void Display::Close() {
    DestroyAllRenderTargets();
    if (window) {
        window->Close();
        window.reset();
    }
    currentCamera = nullptr;
    ResetStateCache();
}

void* Display::GetWindowHandle() const { return window ? window->GetHandle() : nullptr; }

bool Display::ProcessMessages() { return OpenGLWindow::ProcessMessages(); }

bool Display::BeginFrame() {
    frameCounter = 0;
    return window != nullptr;
}

void Display::Present() {
    if (window)
        window->SwapBuffers();
}

void Display::SetTitle(const std::string& caption) {
    if (window)
        window->SetTitle(caption);
}

void Display::ResetStateCache() {
    depthTestEnabled = false;
    cullingEnabled = false;
    blendingEnabled = false;
    blendSource = BLEND_ONE;
    blendDestination = BLEND_ZERO;
    currentProgram = 0;
    currentVertexBuffer = 0;
    currentIndexBuffer = 0;
    for (int i = 0; i < kMaxVertexAttributes; ++i) {
        attributeEnabled[i] = false;
        attributeDivisor[i] = 0;
    }
}

bool Display::IsOpen() const { return window && window->IsOpen(); }
