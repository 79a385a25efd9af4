#pragma once

#include "tools/live/ReloadDebounce.h"
#include "tools/live/ReloadReport.h"
#include "tools/live/ShaderIncludes.h"
#include "tools/live/ShowFiles.h"
#include "tools/live/TrackFileReloader.h"

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

class DirectoryMonitor;

// Reloads the shaders, images and track files (see TrackFileReloader) of a
// data tree when they are saved. A changed shader or image is first checked
// (a shader compiled and linked in scratch GL objects with the other shaders
// of every program that uses it, directly or through an include; an image
// decoded) and only a file that passes goes to the engine's managers, so
// that the picture keeps the last version that worked. A file the show does
// not use is only named so; one it uses that goes away is reported gone.
// Main thread only, with the GL context current.
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

    // The show's sync tracks, whose files reload into them, and whether the
    // tracker holds unsaved edits of a track, which a saved file never replaces.
    void SetSyncTracks(SyncTrackSet* tracks) { trackFiles.SetTracks(tracks); }
    void SetUnsavedEditsHook(TrackFileReloader::UnsavedEdits hook) { trackFiles.SetUnsavedEdits(std::move(hook)); }
    // The show refused a track file when it first read it: listed broken
    // until it reads.
    void NoteRefusedTrackFile(const std::string& path) { trackFiles.NoteRefused(path); }

    // Whether the show plays. While it does not, what it uses is not all
    // known, and every shader and image saved is checked.
    void SetShowBuilt(bool built);

    // Once a frame with a monotonic time in seconds: takes the monitor's
    // changes, and the used files that went or came back (looked for twice
    // a second), and handles the files that have been quiet for 50 ms.
    // Returns a report for each file handled this frame that has one.
    std::vector<ReloadReport> Update(double now);

    // A log error that names a file the show could not load: the show wants
    // that file, and the report says why it failed, in the tool's words
    // where it can (a missing file is gone; an image says what is wrong).
    // The report of a file that no reload reaches names no file.
    ReloadReport Explain(const ReloadReport& logged);

    // True once after a file passed its check that only a rebuild loads:
    // its program or image failed to load when the show was set up.
    bool TakeRebuildWanted();

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
    void NoteChanges(double now);
    std::optional<ReloadReport> Handle(const std::string& path);
    std::vector<std::string> TargetsOf(const std::string& path, const std::vector<std::string>& includers) const;
    ReloadReport HandleShader(const std::string& path, const std::vector<std::string>& targets);
    ReloadReport HandleImage(const std::string& path);
    std::optional<Failure> CheckProgram(const ProgramFiles& program) const;
    std::optional<Failure> CheckAlone(const std::string& shader) const;
    ReloadReport Report(const std::string& path, const std::optional<Failure>& failure);

    std::unique_ptr<DirectoryMonitor> monitor;
    std::string directory;
    ReloadDebounce debounce;
    std::vector<ProgramFiles> programs;
    std::map<std::string, std::string> spelling;  // IncludeKey to the path on disk
    IncludeMap includes;
    ShowFiles showFiles;
    TrackFileReloader trackFiles;
    bool showBuilt = false;
    bool rebuildWanted = false;
    double lastPresenceLook = -1.0;
    // Files kept back by an error in another file: checked again after
    // anything else reloads.
    std::set<std::string> blocked;
};
