#pragma once

#include "engine/platform/DisplayDevices.h"
#include "engine/render/DisplayAdapter.h"

#include <vector>

// Decides which adapters are usable from what the OS reports: mirroring
// drivers are skipped, each adapter needs an active monitor (and an attached
// one once adapter 0 shows that attachment flags are in use), and adapter 0
// also needs a monitor handle with its device name. When nothing is left the
// "Default" record stands in.
void SelectDisplayAdapters(const std::vector<platform::DisplayDeviceRecord>& devices,
                           const std::vector<platform::MonitorRecord>& monitors, std::vector<DisplayAdapter>& out);
