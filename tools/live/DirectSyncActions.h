#pragma once

#include "tools/live/SyncEditorActions.h"

#include <functional>
#include <set>
#include <string>
#include <vector>

class SyncTrackSet;

// The editor's commands applied straight to the show's tracks, without undo:
// seeks and pauses go to the transport through the functions given, saves
// write track files into `folder`.
class DirectSyncActions : public SyncEditorActions {
public:
    DirectSyncActions(SyncTrackSet& tracks, std::string folder, std::function<void(int32_t)> seekRow,
                      std::function<void(bool)> setPaused);

    void TakeEditorKeys(const std::vector<size_t>& indices) override;
    void SetKey(size_t track, const SyncKey& key) override;
    void DeleteKey(size_t track, int32_t row) override;
    void SeekRow(int32_t row) override { seekRow(row); }
    void SetPaused(bool paused) override { setPaused(paused); }
    // Writes every track with keys, and every track the editor took, keys or
    // none, each to a temporary file first that then replaces the old one.
    void SaveTracks() override;
    // What the saves said, for standard output.
    std::vector<std::string> TakeLines();

private:
    bool WriteTrack(size_t index, std::string& error) const;

    SyncTrackSet& tracks;
    std::string folder;
    std::function<void(int32_t)> seekRow;
    std::function<void(bool)> setPaused;
    std::set<size_t> taken;
    std::vector<std::string> lines;
};
