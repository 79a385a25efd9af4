#include "demo/post/PostSetup.h"

#include "demo/post/PostProcessor.h"
#include "engine/core/Engine.h"
#include "engine/render/Display.h"

const PostEffectFile kPostEffects[14] = {
    {"mainpostfx", "data/shaders/postfx/mainpostfx.fs"},
    {"nopostfx", "data/shaders/postfx/nopostfx.fs"},
    {"blur_h", "data/shaders/postfx/blur_h.fs"},
    {"blur_v", "data/shaders/postfx/blur_v.fs"},
    {"colorseparation", "data/shaders/postfx/colorseparation.fs"},
    {"directionalblur", "data/shaders/postfx/directionalblur.fs"},
    {"lumenweaver", "data/shaders/postfx/lumenweaver.fs"},
    {"glasstiles", "data/shaders/postfx/glasstiles.fs"},
    {"lensdistortion", "data/shaders/postfx/lensdistortion.fs"},
    {"pixelation", "data/shaders/postfx/pixelation.fs"},
    {"posterization", "data/shaders/postfx/posterization.fs"},
    {"radialblur", "data/shaders/postfx/radialblur.fs"},
    {"twirl", "data/shaders/postfx/twirl.fs"},
    {"wiggle", "data/shaders/postfx/wiggle.fs"},
};

namespace {
const char* const kTargetNames[3] = {"main_post_fx", "fb0", "fb1"};
}

std::unique_ptr<PostProcessor> SetUpPostProcessing() {
    Display* display = GetEngine() ? GetEngine()->GetDisplay() : nullptr;
    if (!display)
        return nullptr;
    const DisplayMode* mode = display->GetCurrentMode();
    for (const char* name : kTargetNames)
        display->GetRenderTarget(name, mode->width, mode->height);
    display->SetRenderTarget(nullptr);
    auto processor = std::make_unique<PostProcessor>();
    if (!processor->Create())
        return nullptr;
    for (const PostEffectFile& effect : kPostEffects)
        processor->AddEffect(effect.name, effect.fragmentShader);
    return processor;
}
