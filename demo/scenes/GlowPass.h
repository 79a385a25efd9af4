#pragma once

class RenderTarget;

// The glow the lit scenes share: they draw into the scratch target "fb0",
// then the post-processor adds a blurred copy of it onto the target that was
// bound before.
class GlowPass {
public:
    static constexpr float kBlurSize = 0.005f;

    // Binds "fb0" when the demo's post-processor and the scratch target are
    // there; false leaves the bound target as it is, to be drawn straight into.
    bool Begin();
    // Rebinds the earlier target and adds the glow; nothing after a false Begin.
    void End(float blurSize = kBlurSize);

private:
    bool begun = false;
    RenderTarget* previous = nullptr;
};
