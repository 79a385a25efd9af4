#include "engine/platform/win32/Win32Headers.h"

#include "engine/platform/DisplayDevices.h"

namespace platform {

namespace {

DISPLAY_DEVICEA EmptyDisplayDevice() {
    DISPLAY_DEVICEA device{};
    device.cb = sizeof device;
    return device;
}

// The state flags of every monitor the adapter reports, by monitor number.
std::vector<uint32_t> MonitorStateFlags(const char* adapterName) {
    std::vector<uint32_t> flags;
    DISPLAY_DEVICEA monitor = EmptyDisplayDevice();
    for (DWORD number = 0; EnumDisplayDevicesA(adapterName, number, &monitor, 0); ++number) {
        flags.push_back(monitor.StateFlags);
        monitor = EmptyDisplayDevice();
    }
    return flags;
}

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM context) {
    MONITORINFOEXA information{};
    information.cbSize = sizeof information;
    if (GetMonitorInfoA(monitor, &information))
        reinterpret_cast<std::vector<MonitorRecord>*>(context)->push_back({monitor, information.szDevice});
    return TRUE;
}

}

void ListDisplayDevices(std::vector<DisplayDeviceRecord>& out) {
    out.clear();
    DISPLAY_DEVICEA adapter = EmptyDisplayDevice();
    for (DWORD number = 0; EnumDisplayDevicesA(nullptr, number, &adapter, 0); ++number) {
        DisplayDeviceRecord record;
        record.deviceName = adapter.DeviceName;
        record.deviceString = adapter.DeviceString;
        record.deviceId = adapter.DeviceID;
        record.stateFlags = adapter.StateFlags;
        record.monitorStateFlags = MonitorStateFlags(adapter.DeviceName);
        out.push_back(record);
        adapter = EmptyDisplayDevice();
    }
}

void ListMonitors(std::vector<MonitorRecord>& out) {
    out.clear();
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&out));
}

void ListDisplaySettings(const std::string& deviceName, std::vector<DisplaySettingsRecord>& out) {
    out.clear();
    DEVMODEA mode{};
    mode.dmSize = sizeof mode;
    for (DWORD number = 0; EnumDisplaySettingsA(deviceName.c_str(), number, &mode); ++number)
        out.push_back({mode.dmPelsWidth, mode.dmPelsHeight, mode.dmBitsPerPel, mode.dmDisplayFrequency});
}

}
