#pragma once

#include <map>
#include <string>
#include <vector>

// Holds changed paths back until their events have been quiet for a while,
// so that a file is read once its save is over, not half-written.
class ReloadDebounce {
public:
    explicit ReloadDebounce(double quietSeconds = 0.05) : quiet(quietSeconds) {}

    // A change of path seen at now (seconds); a later one restarts its wait.
    void Note(const std::string& path, double now);
    // The paths quiet since at least the quiet time, in name order; they
    // are forgotten.
    std::vector<std::string> TakeReady(double now);
    bool Empty() const { return lastSeen.empty(); }
    void Clear() { lastSeen.clear(); }

private:
    double quiet;
    std::map<std::string, double> lastSeen;
};
