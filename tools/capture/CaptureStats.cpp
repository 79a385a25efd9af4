#include "tools/capture/CaptureStats.h"

#include "demo/show/Tempo.h"
#include "demo/show/TimeLine.h"

#include <algorithm>
#include <cinttypes>

std::string SceneNameAt(double time) {
    for (const TimeLineEntry& entry : ShowTimeLine(Tempo().patternLength)) {
        if (entry.layer != 0 || time < entry.start || time >= entry.end)
            continue;
        std::string name = SceneIdName(entry.scene);
        if (entry.scene == SceneId::BoxGrid)
            name += " " + std::to_string(entry.variant);
        return name;
    }
    return "none";
}

double ShowEndTime() {
    double end = 0.0;
    for (const TimeLineEntry& entry : ShowTimeLine(Tempo().patternLength))
        end = std::max(end, entry.end);
    return end;
}

namespace {

std::string Field(const std::string& text) {
    std::string field = text;
    std::replace(field.begin(), field.end(), ' ', '_');
    return field;
}

void PrintGpu(std::FILE* out, const char* key, bool timed, double milliseconds) {
    if (timed)
        std::fprintf(out, " %s=%.3f", key, milliseconds);
    else
        std::fprintf(out, " %s=n/a", key);
}

// The figures after the name: one frame's, or a scene's sums over `count`.
void PrintFigures(std::FILE* out, const FrameFigures& f, double count) {
    std::fprintf(out, " update_ms=%.3f build_ms=%.3f submit_ms=%.3f", f.updateMs / count, f.buildMs / count,
                 f.submitMs / count);
    PrintGpu(out, "gpu_scene_ms", f.gpuTimed, f.gpuSceneMs / count);
    PrintGpu(out, "gpu_glow_ms", f.gpuTimed, f.gpuGlowMs / count);
    PrintGpu(out, "gpu_final_ms", f.gpuTimed, f.gpuFinalMs / count);
    std::fprintf(out, " gl_calls=%.1f draw_calls=%.1f state_changes=%.1f redundant=%.1f always_issued=%.1f\n",
                 static_cast<double>(f.glCalls) / count, static_cast<double>(f.drawCalls) / count,
                 static_cast<double>(f.stateChanges) / count, static_cast<double>(f.redundant) / count,
                 static_cast<double>(f.alwaysIssued) / count);
}

}

void CaptureStats::Add(const FrameFigures& frame) { frames.push_back(frame); }

void CaptureStats::PrintFrames(std::FILE* out) const {
    for (const FrameFigures& f : frames) {
        std::fprintf(out, "frame file=%s time=%.3f scene=%s ms=%.3f", f.file.c_str(), f.time, Field(f.scene).c_str(),
                     f.milliseconds);
        PrintFigures(out, f, 1.0);
    }
}

void CaptureStats::PrintSummary(std::FILE* out) const {
    std::vector<std::string> order;
    for (const FrameFigures& f : frames)
        if (std::find(order.begin(), order.end(), f.scene) == order.end())
            order.push_back(f.scene);
    for (const std::string& scene : order) {
        FrameFigures sum;
        sum.gpuTimed = true;
        int frameCount = 0;
        double slowest = 0.0;
        for (const FrameFigures& f : frames) {
            if (f.scene != scene)
                continue;
            ++frameCount;
            slowest = std::max(slowest, f.milliseconds);
            sum.milliseconds += f.milliseconds;
            sum.updateMs += f.updateMs;
            sum.buildMs += f.buildMs;
            sum.submitMs += f.submitMs;
            sum.gpuTimed = sum.gpuTimed && f.gpuTimed;
            sum.gpuSceneMs += f.gpuSceneMs;
            sum.gpuGlowMs += f.gpuGlowMs;
            sum.gpuFinalMs += f.gpuFinalMs;
            sum.glCalls += f.glCalls;
            sum.drawCalls += f.drawCalls;
            sum.stateChanges += f.stateChanges;
            sum.redundant += f.redundant;
            sum.alwaysIssued += f.alwaysIssued;
        }
        std::fprintf(out, "scene name=%s frames=%d ms=%.3f slowest_ms=%.3f", Field(scene).c_str(), frameCount,
                     sum.milliseconds / frameCount, slowest);
        PrintFigures(out, sum, frameCount);
    }
}

void CaptureStats::PrintMemory(std::FILE* out, uint64_t bytes, uint64_t peakBytes) {
    std::fprintf(out, "memory gpu_bytes=%" PRIu64 " gpu_peak_bytes=%" PRIu64 "\n", bytes, peakBytes);
}
