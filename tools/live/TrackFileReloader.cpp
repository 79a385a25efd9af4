#include "tools/live/TrackFileReloader.h"

#include "engine/files/MemoryStream.h"
#include "engine/sync/SyncTrackFile.h"
#include "engine/sync/SyncTrackSet.h"
#include "tools/live/DataFileKind.h"
#include "tools/live/ReloadDecision.h"
#include "tools/live/ShaderIncludes.h"
#include "tools/live/ShowFiles.h"

#include <filesystem>
#include <system_error>
#include <vector>

namespace {

bool ExistsOnDisk(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

// The file on disk, not the pak's copy: it is the one that changed.
bool ReadKeys(const std::string& path, std::vector<SyncKey>& keys, std::string& reason) {
    MemoryStream bytes;
    if (!bytes.LoadFromFile(path)) {
        reason = "the file cannot be read";
        return false;
    }
    return ReadSyncTrackKeys(bytes.Data(), bytes.Length(), keys, reason);
}

ReloadReport Report(const std::string& path, bool ok, const std::string& message, ReloadFate fate) {
    return {path, ok, 0, message, fate};
}

}

bool TrackFileReloader::IsTrackFile(const std::string& path) { return Extension(path) == "track"; }

bool TrackFileReloader::TrackNameOf(const std::string& path, std::string& name) {
    const std::filesystem::path file(path);
    return IncludeKey(file.parent_path().generic_string()) == IncludeKey(kSyncTrackFolder) &&
           SyncTrackNameOfFile(file.filename().generic_string(), name);
}

void TrackFileReloader::NoteRefused(const std::string& path) { refused.insert(IncludeKey(path)); }

void TrackFileReloader::NoteUsedFiles(ShowFiles& files, const std::function<bool(const std::string&)>& exists) const {
    for (size_t i = 0; tracks && i < tracks->Count(); ++i) {
        const std::string path = SyncTrackPath(tracks->At(i).Name());
        if (exists(path))
            files.NoteLoaded(path);
    }
}

std::optional<ReloadReport> TrackFileReloader::Handle(const std::string& path, ShowFiles& files, bool showBuilt) {
    std::string name;
    const bool named = TrackNameOf(path, name);
    SyncTrack* track = named && tracks ? tracks->Find(name) : nullptr;
    const std::string key = IncludeKey(path);
    TrackFileStanding standing;
    standing.exists = ExistsOnDisk(path);
    standing.offered = track != nullptr;
    // A file the show never reads waits for nothing.
    standing.showBuilt = showBuilt || !named;
    standing.trackHasKeys = track && track->HasKeys();
    standing.refused = refused.count(key) != 0;
    standing.reportedGone = files.IsGone(path);
    std::vector<SyncKey> keys;
    std::string reason;
    if (standing.exists) {
        standing.reads = ReadKeys(path, keys, reason);
        standing.sameKeys = standing.reads && track && keys == track->Keys();
        standing.unsavedEdits = track && unsavedEdits && unsavedEdits(track->Name());
        files.NotePresent(path);
    } else if (track) {
        files.NoteGone(path);
    }
    auto settled = [this, &key](const ReloadReport& report) {
        refused.erase(key);
        return report;
    };
    switch (DecideTrackReload(standing)) {
    case TrackReloadStep::Silent: return std::nullopt;
    case TrackReloadStep::Refuse: refused.insert(key); return Report(path, false, reason, ReloadFate::Checked);
    case TrackReloadStep::Load:
        track->SetKeys(std::move(keys));
        return settled(Report(path, true, "", ReloadFate::Checked));
    case TrackReloadStep::Ok: return settled(Report(path, true, "", ReloadFate::Checked));
    case TrackReloadStep::NotUsed: return settled(NotUsedReport(path));
    case TrackReloadStep::KeepEdits:
        return settled(Report(path, true, "the tracker's unsaved edits of this track stand; the file is not loaded",
                              ReloadFate::Kept));
    case TrackReloadStep::Gone:
        // Only a track with keys has something the file no longer holds.
        return settled(standing.trackHasKeys
                           ? Report(path, false, "the file is gone: the track keeps its keys", ReloadFate::Gone)
                           : Report(path, true, "the file is gone: the track has no keys", ReloadFate::Gone));
    }
    return std::nullopt;
}
