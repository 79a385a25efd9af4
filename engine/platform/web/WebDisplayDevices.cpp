// The page's canvas is the one display: a WebGL 2 drawing buffer with the
// formats every browser gives, in the sizes the show asks for.
#include "engine/platform/DisplayDevices.h"

namespace platform {

namespace {

const char kCanvasName[] = "Canvas #0";

}

void ListDisplayDevices(std::vector<DisplayDeviceRecord>& out) {
    DisplayDeviceRecord canvas;
    canvas.deviceName = kCanvasName;
    canvas.deviceString = "WebGL 2 canvas";
    canvas.deviceId = "emscripten";
    canvas.stateFlags = 0;
    canvas.monitorStateFlags.push_back(kMonitorActive | kMonitorAttached);
    out.assign(1, canvas);
}

void ListMonitors(std::vector<MonitorRecord>& out) { out.assign(1, {reinterpret_cast<void*>(1), kCanvasName}); }

ProbeStatus ProbePixelFormats(void* /*monitor*/, PixelFormatProbe& out, std::string& /*errorText*/) {
    out = PixelFormatProbe();
    out.extended = true;
    out.extendedFormats.push_back({true, 32, 24, 8});
    return ProbeStatus::Done;
}

void ListDisplaySettings(const std::string& deviceName, std::vector<DisplaySettingsRecord>& out) {
    out.clear();
    if (deviceName != kCanvasName)
        return;
    static const DisplaySettingsRecord kSizes[] = {
        {320, 240, 32, 60}, {640, 480, 32, 60}, {800, 600, 32, 60}, {1024, 768, 32, 60}, {1280, 960, 32, 60},
    };
    out.assign(std::begin(kSizes), std::end(kSizes));
}

}
