#include "demo/scenes/GlowPass.h"

#include "demo/post/PostProcessor.h"
#include "demo/scenes/SceneServices.h"
#include "engine/render/Display.h"
#include "engine/render/FrameMarks.h"

namespace {

const char kSourceTarget[] = "fb0";
const char kScratchTarget[] = "fb1";

}

bool GlowPass::Begin() {
    begun = false;
    Display* display = SceneDisplay();
    RenderTarget* source = display ? display->FindRenderTarget(kSourceTarget) : nullptr;
    if (!source || !ScenePostProcessor())
        return false;
    previous = display->SetRenderTarget(source);
    begun = true;
    return true;
}

void GlowPass::End(float blurSize) {
    if (!begun)
        return;
    begun = false;
    SceneDisplay()->SetRenderTarget(previous);
    FrameMarks::Mark(FrameMarks::Point::GlowBegin);
    ScenePostProcessor()->Glow(kSourceTarget, kScratchTarget, blurSize);
    FrameMarks::Mark(FrameMarks::Point::GlowEnd);
}
