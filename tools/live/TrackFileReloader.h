#pragma once

#include "tools/live/ReloadReport.h"

#include <functional>
#include <optional>
#include <set>
#include <string>

class ShowFiles;
class SyncTrackSet;

// Track files that another program saved into data/sync. Good keys replace
// the track's; a file that does not read leaves them as they are and is
// reported with the reader's reason until it is saved fixed. A file that
// holds the track's keys already, as after the tool's own save, is no
// change. Edits that the tracker has not saved are never replaced: the
// report says that they stand. Main thread only.
class TrackFileReloader {
public:
    // Whether the tracker holds unsaved edits of the named track.
    using UnsavedEdits = std::function<bool(const std::string& track)>;

    // The show's tracks; none until set.
    void SetTracks(SyncTrackSet* set) { tracks = set; }
    void SetUnsavedEdits(UnsavedEdits hook) { unsavedEdits = std::move(hook); }

    // A ".track" file anywhere: the tool handles it, whether or not the
    // show can use it.
    static bool IsTrackFile(const std::string& path);

    // Handles a changed track file; nothing when there is nothing to say.
    // Keeps `files` told whether it is on disk.
    std::optional<ReloadReport> Handle(const std::string& path, ShowFiles& files, bool showBuilt);

    // The show refused the file when it first read it.
    void NoteRefused(const std::string& path);

    // Every track file on disk counts as used, so that one that goes away,
    // even with its folder, is looked for.
    void NoteUsedFiles(ShowFiles& files, const std::function<bool(const std::string&)>& exists) const;

private:
    // The name of the track a file in the show's folder stands for; false
    // for a file the show never reads.
    static bool TrackNameOf(const std::string& path, std::string& name);

    SyncTrackSet* tracks = nullptr;
    UnsavedEdits unsavedEdits;
    std::set<std::string> refused;  // by IncludeKey
};
