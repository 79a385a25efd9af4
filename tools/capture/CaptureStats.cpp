#include "tools/capture/CaptureStats.h"

#include "demo/show/Tempo.h"
#include "demo/show/TimeLine.h"

#include <algorithm>

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

void CaptureStats::Add(const std::string& scene, double milliseconds, uint64_t glCalls) {
    auto found = std::find_if(scenes.begin(), scenes.end(), [&](const SceneTotals& s) { return s.name == scene; });
    if (found == scenes.end())
        found = scenes.insert(scenes.end(), SceneTotals{scene});
    ++found->frames;
    found->milliseconds += milliseconds;
    found->slowest = std::max(found->slowest, milliseconds);
    found->glCalls += glCalls;
}

void CaptureStats::PrintSummary(std::FILE* out) const {
    std::fprintf(out, "%-12s %7s %10s %8s %9s %14s\n", "scene", "frames", "ms/frame", "fps", "slowest",
                 "GL calls/frame");
    for (const SceneTotals& scene : scenes) {
        const double milliseconds = scene.milliseconds / scene.frames;
        std::fprintf(out, "%-12s %7d %10.1f %8.1f %9.1f %14.1f\n", scene.name.c_str(), scene.frames, milliseconds,
                     1000.0 / milliseconds, scene.slowest, static_cast<double>(scene.glCalls) / scene.frames);
    }
}
