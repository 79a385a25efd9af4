#include "engine/render/AdapterSelection.h"

#include <set>

namespace {

using platform::DisplayDeviceRecord;

bool HasAttachedMonitor(const DisplayDeviceRecord& device) {
    for (uint32_t flags : device.monitorStateFlags)
        if (flags & platform::kMonitorAttached)
            return true;
    return false;
}

// The first qualifying monitor not taken yet; false when the walk runs out.
bool ClaimMonitor(const DisplayDeviceRecord& device, bool attachmentFlagsInUse, std::set<size_t>& taken) {
    for (size_t number = 0; number < device.monitorStateFlags.size(); ++number) {
        if (attachmentFlagsInUse && taken.count(number))
            continue;
        uint32_t flags = device.monitorStateFlags[number];
        bool qualifies = (flags & platform::kMonitorActive) && (!attachmentFlagsInUse || (flags & platform::kMonitorAttached));
        if (qualifies) {
            taken.insert(number);
            return true;
        }
    }
    return false;
}

void* MonitorHandleOf(const std::string& deviceName, const std::vector<platform::MonitorRecord>& monitors) {
    for (const platform::MonitorRecord& monitor : monitors)
        if (monitor.deviceName == deviceName)
            return monitor.handle;
    return nullptr;
}

DisplayAdapter MakeAdapter(int32_t index, const DisplayDeviceRecord& device) {
    DisplayAdapter adapter;
    adapter.index = index;
    adapter.description = device.deviceString;
    adapter.deviceId = device.deviceId;
    adapter.deviceName = device.deviceName;
    adapter.monitorName = "Unknown";
    return adapter;
}

DisplayAdapter DefaultAdapter() {
    DisplayAdapter adapter;
    adapter.description = adapter.deviceId = adapter.deviceName = adapter.monitorName = "Default";
    return adapter;
}

}

void SelectDisplayAdapters(const std::vector<DisplayDeviceRecord>& devices,
                           const std::vector<platform::MonitorRecord>& monitors, std::vector<DisplayAdapter>& out) {
    out.clear();
    std::set<size_t> taken;
    bool attachmentFlagsInUse = false;
    for (size_t i = 0; i < devices.size(); ++i) {
        const DisplayDeviceRecord& device = devices[i];
        if (device.stateFlags & platform::kMirroringDriver)
            continue;
        DisplayAdapter adapter = MakeAdapter(static_cast<int32_t>(i), device);
        if (i == 0 && HasAttachedMonitor(device))
            attachmentFlagsInUse = true;
        // An adapter without a usable monitor ends the list.
        if (!ClaimMonitor(device, attachmentFlagsInUse, taken))
            break;
        adapter.monitor = MonitorHandleOf(device.deviceName, monitors);
        if (i == 0 && !adapter.monitor)
            continue;
        out.push_back(adapter);
    }
    if (out.empty())
        out.push_back(DefaultAdapter());
}
