#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// The figures of the kept frames, summed per scene of the time line (named
// by SceneNameAt).
//
// Printed by --stats as lines of space-separated fields, the first naming
// the record, the rest key=value with no spaces inside (scene names have
// '_' for their spaces). Milliseconds have three decimals; a GPU figure is
// "n/a" where the driver has no timer queries. The format is kept stable
// for scripts:
//   frame file=F time=S scene=N ms=M update_ms=M build_ms=M submit_ms=M
//         gpu_scene_ms=G gpu_glow_ms=G gpu_final_ms=G gl_calls=C draw_calls=C
//         state_changes=C redundant=C always_issued=C
//   scene name=N frames=K ms=M slowest_ms=M update_ms=M build_ms=M submit_ms=M
//         gpu_scene_ms=G gpu_glow_ms=G gpu_final_ms=G gl_calls=C draw_calls=C
//         state_changes=C redundant=C always_issued=C        (means per frame)
//   memory gpu_bytes=B gpu_peak_bytes=B
// (each record on one line). ms is the wall time of the frame up to its
// pixels being done; update, build (instance and vertex data made and
// uploaded) and submit (the rest of the frame's commands) are CPU time. The
// GPU spans: the scenes' drawing without their glow, the glow, the final
// pass. Calls on state the render device caches are either state changes or
// redundant; render target binds, viewports, textures and clear values are
// counted as always issued.
struct FrameFigures {
    std::string file;
    double time = 0.0;
    std::string scene;
    double milliseconds = 0.0;
    double updateMs = 0.0;
    double buildMs = 0.0;
    double submitMs = 0.0;
    bool gpuTimed = false;
    double gpuSceneMs = 0.0;
    double gpuGlowMs = 0.0;
    double gpuFinalMs = 0.0;
    uint64_t glCalls = 0;
    uint64_t drawCalls = 0;
    uint64_t stateChanges = 0;
    uint64_t redundant = 0;
    uint64_t alwaysIssued = 0;
};

class CaptureStats {
public:
    // Frames are added in order; their GPU figures may come later.
    void Add(const FrameFigures& frame);
    FrameFigures* Frame(size_t index) { return index < frames.size() ? &frames[index] : nullptr; }
    void PrintFrames(std::FILE* out) const;
    void PrintSummary(std::FILE* out) const;
    static void PrintMemory(std::FILE* out, uint64_t bytes, uint64_t peakBytes);

private:
    std::vector<FrameFigures> frames;
};

// "box grid 3", "spheres", ... for a time of the show; "none" past its end.
std::string SceneNameAt(double time);
// The end of the show's last entry, in seconds.
double ShowEndTime();
