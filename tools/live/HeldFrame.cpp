#include "tools/live/HeldFrame.h"

#include "engine/files/Image.h"
#include "engine/render/Display.h"
#include "engine/render/Texture.h"
#include "tools/shared/FrameGrab.h"

HeldFrame::HeldFrame() = default;

HeldFrame::~HeldFrame() = default;

bool HeldFrame::Grab(Display& display, int32_t width, int32_t height) {
    Release();
    RgbPicture picture;
    GrabFrame(width, height, picture);
    // Four bytes a pixel: every row starts aligned, whatever the width.
    Image image;
    image.format = R8G8B8A8;
    image.width = width;
    image.height = height;
    image.pixels.reset(new uint8_t[image.ByteSize()]);
    for (size_t pixel = 0; pixel < picture.rgb.size() / 3; ++pixel) {
        for (size_t channel = 0; channel < 3; ++channel)
            image.pixels[pixel * 4 + channel] = picture.rgb[pixel * 3 + channel];
        image.pixels[pixel * 4 + 3] = 255;
    }
    texture.reset(display.CreateTextureFromImage(nullptr, "zplive held frame", image, kFilterLinear, kFilterLinear,
                                                 kWrapClamp, kWrapClamp));
    return texture != nullptr;
}

void HeldFrame::Release() { texture.reset(); }

uint32_t HeldFrame::TextureName() const { return texture ? texture->GetGLName() : 0; }
