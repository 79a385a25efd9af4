#pragma once

#include "tools/live/ReloadDebounce.h"
#include "tools/live/ReloadReport.h"
#include "tools/live/ShaderIncludes.h"

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

class DirectoryMonitor;

// Reloads the shaders and images of a data tree when they are saved. A
// changed file is first checked (a shader compiled and linked in scratch GL
// objects with the other shaders of every program that uses it, directly or
// through an include; an image decoded) and only a file that passes goes to
// the engine's managers, so that the picture keeps the last version that
// worked. Main thread only, with the GL context current.
class LiveReloader {
public:
    LiveReloader();
    ~LiveReloader();
    LiveReloader(const LiveReloader&) = delete;
    LiveReloader& operator=(const LiveReloader&) = delete;

    // Watches the directory tree, spelled as the file system names files
    // ("data"). False when it cannot be watched or is watched already.
    bool Start(const std::string& directory);
    void Stop();
    bool IsWatching() const;

    // Once a frame with a monotonic time in seconds: takes the monitor's
    // changes and handles the files that have been quiet for 50 ms. Returns
    // a report for each shader or image handled this frame.
    std::vector<ReloadReport> Update(double now);

    // Checks every shader of every loaded program with what is on disk now,
    // includes expanded, and compiles each other shader file of the tree on
    // its own (a program that failed to load is not registered); returns
    // the failures, each at the file and line where the driver found it.
    std::vector<ReloadReport> CheckAllShaders();

private:
    struct ProgramFiles {
        std::vector<std::pair<int32_t, std::string>> shaders;  // type, path
    };
    struct Failure {
        SourceLine at;
        std::string message;
    };

    // The loaded programs and the includes of the shaders on disk, read anew.
    void Survey();
    std::optional<ReloadReport> Handle(const std::string& path);
    std::optional<ReloadReport> HandleShader(const std::string& path, const std::vector<std::string>& targets);
    std::optional<ReloadReport> HandleImage(const std::string& path);
    std::optional<Failure> CheckProgram(const ProgramFiles& program) const;
    std::optional<Failure> CheckAlone(const std::string& shader) const;
    ReloadReport Report(const std::string& path, const std::optional<Failure>& failure);

    std::unique_ptr<DirectoryMonitor> monitor;
    std::string directory;
    ReloadDebounce debounce;
    std::vector<ProgramFiles> programs;
    std::map<std::string, std::string> spelling;  // IncludeKey to the path on disk
    IncludeMap includes;
    // Files kept back by an error in another file: checked again after
    // anything else reloads.
    std::set<std::string> blocked;
};
