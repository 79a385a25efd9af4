#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// Render time and GL calls of the kept frames, summed per scene of the time
// line (named by SceneNameAt).
class CaptureStats {
public:
    void Add(const std::string& scene, double milliseconds, uint64_t glCalls);
    void PrintSummary(std::FILE* out) const;

private:
    struct SceneTotals {
        std::string name;
        int32_t frames = 0;
        double milliseconds = 0.0;
        double slowest = 0.0;
        uint64_t glCalls = 0;
    };
    std::vector<SceneTotals> scenes;  // in order of first appearance
};

// "box grid 3", "spheres", ... for a time of the show; "none" past its end.
std::string SceneNameAt(double time);
// The end of the show's last entry, in seconds.
double ShowEndTime();
