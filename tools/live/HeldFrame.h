#pragma once

#include <cstdint>
#include <memory>

class Display;
class Texture;

// The show's last frame, kept on screen while the show is built anew: read
// from the back buffer into a texture of the tool's own, which no manager
// holds, so that the rebuild does not drop it. Needs the GL context.
class HeldFrame {
public:
    HeldFrame();
    ~HeldFrame();
    HeldFrame(const HeldFrame&) = delete;
    HeldFrame& operator=(const HeldFrame&) = delete;

    // Takes the finished frame in the back buffer; false when no texture
    // could be made of it.
    bool Grab(Display& display, int32_t width, int32_t height);
    void Release();
    // The texture's GL name, 0 while none is held.
    uint32_t TextureName() const;

private:
    std::unique_ptr<Texture> texture;
};
