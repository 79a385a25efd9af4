#include "tools/shared/FrameGrab.h"

#include "engine/render/GLConstants.h"
#include "engine/render/GLFunctions.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

void GrabFrame(int32_t width, int32_t height, RgbPicture& picture) {
    picture.width = width;
    picture.height = height;
    picture.rgb.resize(static_cast<size_t>(width) * static_cast<size_t>(height) * 3);
    gl.glPixelStorei(GL_PACK_ALIGNMENT, 1);
    gl.glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, picture.rgb.data());
    // GL's rows run from the bottom up.
    const size_t stride = static_cast<size_t>(width) * 3;
    for (int32_t top = 0, bottom = height - 1; top < bottom; ++top, --bottom)
        std::swap_ranges(picture.rgb.begin() + static_cast<std::ptrdiff_t>(stride * top),
                         picture.rgb.begin() + static_cast<std::ptrdiff_t>(stride * (top + 1)),
                         picture.rgb.begin() + static_cast<std::ptrdiff_t>(stride * bottom));
}

std::string FrameFileName(double seconds) {
    char name[32];
    std::snprintf(name, sizeof name, "t%07lld.png", static_cast<long long>(std::llround(seconds * 1000.0)));
    return name;
}
