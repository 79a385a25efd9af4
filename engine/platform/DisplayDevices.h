#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// Display device state flags as the OS reports them.
constexpr uint32_t kMonitorActive = 0x1;
constexpr uint32_t kMonitorAttached = 0x2;
constexpr uint32_t kMirroringDriver = 0x8;

// One display adapter and the state flags of its monitors, by monitor number.
struct DisplayDeviceRecord {
    std::string deviceName;
    std::string deviceString;
    std::string deviceId;
    uint32_t stateFlags = 0;
    std::vector<uint32_t> monitorStateFlags;
};

// A monitor handle and the device name of the adapter it belongs to.
struct MonitorRecord {
    void* handle = nullptr;
    std::string deviceName;
};

// A pixel format as the extended query reports it.
struct ExtendedPixelFormatRecord {
    bool rgba = true;
    uint32_t colorBits = 0;
    uint32_t depthBits = 0;
    uint32_t stencilBits = 0;
};

// Pixel format descriptor flags.
constexpr uint32_t kFormatDoubleBuffer = 0x1;
constexpr uint32_t kFormatDrawToWindow = 0x4;
constexpr uint32_t kFormatSupportOpenGL = 0x20;

// A pixel format as the classic description reports it.
struct ClassicPixelFormatRecord {
    uint32_t flags = 0;
    uint32_t colorBits = 0;
    uint32_t depthBits = 0;
    uint32_t stencilBits = 0;
};

// The formats a query window found: the extended list when the driver has
// the extended query, else the classic descriptions of formats 1 to n
// (classicFormats[k] describes format k + 1).
struct PixelFormatProbe {
    bool extended = false;
    std::vector<ExtendedPixelFormatRecord> extendedFormats;
    std::vector<ClassicPixelFormatRecord> classicFormats;
};

enum class ProbeStatus {
    Done,
    NoWindowClass,
    NoPixelFormat,
    PixelFormatNotSet,
    NoRenderContext,
    RenderContextNotCurrent,
};

// One display mode of an adapter.
struct DisplaySettingsRecord {
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t bitsPerPixel = 0;
    uint32_t frequency = 0;
};

// The adapters in the OS's order.
void ListDisplayDevices(std::vector<DisplayDeviceRecord>& out);
void ListMonitors(std::vector<MonitorRecord>& out);
// Probes the pixel formats through a hidden 16 x 16 window placed on the
// monitor (null: the default position). errorText holds the OS's words when
// the window class is unavailable.
ProbeStatus ProbePixelFormats(void* monitor, PixelFormatProbe& out, std::string& errorText);
void ListDisplaySettings(const std::string& deviceName, std::vector<DisplaySettingsRecord>& out);

}
