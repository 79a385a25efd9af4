#pragma once

#include <memory>

class PostProcessor;

// The frame target and the glow's two scratch targets, at the display's size,
// then the post-processor with every effect. Null when the processor's quad
// cannot be made; an effect that does not load is only absent.
std::unique_ptr<PostProcessor> SetUpPostProcessing();

// The effects in registration order, name and fragment shader.
struct PostEffectFile {
    const char* name;
    const char* fragmentShader;
};
extern const PostEffectFile kPostEffects[14];
