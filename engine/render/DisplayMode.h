#pragma once

#include <cstdint>

struct DisplayMode {
    uint32_t width = 0;
    uint32_t height = 0;
    bool fullscreen = true;
    uint32_t colorBits = 0;
    uint32_t depthBits = 0;
    uint32_t stencilBits = 0;
    uint32_t refreshRate = 0;

    bool operator==(const DisplayMode& other) const {
        return width == other.width && height == other.height && fullscreen == other.fullscreen &&
               colorBits == other.colorBits && depthBits == other.depthBits &&
               stencilBits == other.stencilBits && refreshRate == other.refreshRate;
    }
    bool operator!=(const DisplayMode& other) const { return !(*this == other); }
};
