#include "engine/render/ModeSelection.h"

#include "engine/core/Message.h"

#include <algorithm>

namespace {

constexpr uint32_t kMinimumColorBits = 15;
constexpr uint32_t kMinimumDepthBits = 16;
constexpr uint32_t kClassicFlagsNeeded =
    platform::kFormatSupportOpenGL | platform::kFormatDrawToWindow | platform::kFormatDoubleBuffer;

void AddUnique(std::vector<DisplayMode>& modes, const DisplayMode& mode) {
    if (std::find(modes.begin(), modes.end(), mode) == modes.end())
        modes.push_back(mode);
}

bool DeepEnough(uint32_t colorBits, uint32_t depthBits) {
    return colorBits >= kMinimumColorBits && depthBits >= kMinimumDepthBits;
}

bool UsableSetting(const platform::DisplaySettingsRecord& setting) {
    return setting.bitsPerPixel >= 15 && setting.width >= 640 && setting.height >= 400;
}

DisplayMode FallbackMode() {
    DisplayMode mode;
    mode.width = 640;
    mode.height = 480;
    mode.fullscreen = false;
    mode.colorBits = 16;
    mode.depthBits = 16;
    return mode;
}

}

void AddPixelFormatCandidate(std::vector<DisplayMode>& candidates, uint32_t colorBits, uint32_t depthBits,
                             uint32_t stencilBits) {
    DisplayMode candidate;
    candidate.colorBits = colorBits;
    candidate.depthBits = depthBits;
    candidate.stencilBits = stencilBits;
    AddUnique(candidates, candidate);
}

std::vector<DisplayMode> CollectPixelFormatCandidates(const platform::PixelFormatProbe& probe) {
    std::vector<DisplayMode> candidates;
    if (probe.extended) {
        for (const platform::ExtendedPixelFormatRecord& format : probe.extendedFormats)
            if (format.rgba && DeepEnough(format.colorBits, format.depthBits))
                AddPixelFormatCandidate(candidates, format.colorBits, format.depthBits, format.stencilBits);
        return candidates;
    }
    const int count = static_cast<int>(probe.classicFormats.size());
    for (int number = 1; number <= count; ++number) {
        const platform::ClassicPixelFormatRecord& format = probe.classicFormats[number - 1];
        if ((format.flags & kClassicFlagsNeeded) == kClassicFlagsNeeded && DeepEnough(format.colorBits, format.depthBits))
            AddPixelFormatCandidate(candidates, format.colorBits, format.depthBits, format.stencilBits);
    }
    return candidates;
}

void BuildModeList(const std::vector<DisplayMode>& candidates,
                   const std::vector<platform::DisplaySettingsRecord>& settings, const std::string& deviceName,
                   std::vector<DisplayMode>& out) {
    out.clear();
    for (const platform::DisplaySettingsRecord& setting : settings) {
        if (!UsableSetting(setting))
            continue;
        for (const DisplayMode& candidate : candidates) {
            if (candidate.colorBits != setting.bitsPerPixel)
                continue;
            DisplayMode mode = candidate;
            mode.width = setting.width;
            mode.height = setting.height;
            mode.refreshRate = setting.frequency;
            AddUnique(out, mode);
        }
    }
    if (out.empty()) {
        Message(LOG_SYSTEM, "Cannot enumerate resolutions for device %s, adding default fallback.", deviceName.c_str());
        out.push_back(FallbackMode());
    }
}
