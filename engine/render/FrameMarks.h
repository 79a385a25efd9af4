#pragma once

// Named points of a frame that the show passes through, for a tool that
// times them (CPU clock, GPU time stamps). Without a hook, as in the show
// itself, a mark is one test of a null pointer and nothing else.
class FrameMarks {
public:
    enum class Point {
        SceneBegin,    // the scenes start drawing
        BuildBegin,    // instance or vertex data is made on the CPU and uploaded
        BuildEnd,
        GlowBegin,     // a scene's glow starts (inside the scenes' drawing)
        GlowEnd,
        SceneEnd,      // the scenes are drawn
        FinalPassEnd,  // the final post-processing pass is submitted
    };
    static constexpr int kPointCount = 7;

    using Hook = void (*)(Point point, void* context);

    // One hook at a time; null removes it.
    static void SetHook(Hook hook, void* context);
    static void Mark(Point point);
};
