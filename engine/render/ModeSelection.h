#pragma once

#include "engine/platform/DisplayDevices.h"
#include "engine/render/DisplayMode.h"

#include <string>
#include <vector>

// Pixel-format candidates: modes with no size or refresh rate, full screen,
// carrying colour, depth and stencil bits; never two equal ones.
void AddPixelFormatCandidate(std::vector<DisplayMode>& candidates, uint32_t colorBits, uint32_t depthBits,
                             uint32_t stencilBits);
// The candidates of a probe: RGBA formats of at least 15 colour and 16 depth
// bits; on the classic path also drawable to a window, with OpenGL, double
// buffered.
std::vector<DisplayMode> CollectPixelFormatCandidates(const platform::PixelFormatProbe& probe);

// One mode per display setting (at least 640 x 400 and 15 bits) and
// candidate of the same colour depth, without duplicates. With none, logs the
// fallback line for the device and gives 640 x 480 windowed at 16 bits.
void BuildModeList(const std::vector<DisplayMode>& candidates,
                   const std::vector<platform::DisplaySettingsRecord>& settings, const std::string& deviceName,
                   std::vector<DisplayMode>& out);
