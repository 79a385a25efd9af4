#include "tools/live/DirectSyncActions.h"

#include "engine/platform/DirectoryListing.h"
#include "engine/sync/SyncTrackFile.h"
#include "engine/sync/SyncTrackSet.h"

#include <cstdio>
#include <filesystem>

DirectSyncActions::DirectSyncActions(SyncTrackSet& tracks, std::string folder, std::function<void(int32_t)> seekRow,
                                     std::function<void(bool)> setPaused)
    : tracks(tracks), folder(std::move(folder)), seekRow(std::move(seekRow)), setPaused(std::move(setPaused)) {}

void DirectSyncActions::TakeEditorKeys(const std::vector<size_t>& indices) {
    for (size_t index : indices) {
        tracks.At(index).SetKeys({});
        taken.insert(index);
    }
}

void DirectSyncActions::SetKey(size_t track, const SyncKey& key) { tracks.At(track).SetKey(key); }

void DirectSyncActions::DeleteKey(size_t track, int32_t row) { tracks.At(track).DeleteKey(row); }

void DirectSyncActions::SaveTracks() {
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    int written = 0;
    for (size_t i = 0; i < tracks.Count(); ++i) {
        if (!tracks.At(i).HasKeys() && taken.count(i) == 0)
            continue;
        std::string error;
        if (WriteTrack(i, error))
            ++written;
        else
            lines.push_back(error);
    }
    lines.push_back("sync tracks saved: " + std::to_string(written) + (written == 1 ? " file" : " files"));
}

bool DirectSyncActions::WriteTrack(size_t index, std::string& error) const {
    const std::string file = SyncTrackFileName(tracks.At(index).Name());
    const std::string path = folder + "/" + file;
    const std::string temporary = folder + "/." + file + ".tmp";
    const std::vector<uint8_t> bytes = WriteSyncTrackKeys(tracks.At(index).Keys());
    std::FILE* out = std::fopen(temporary.c_str(), "wb");
    bool ok = out && std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    if (out)
        ok = std::fclose(out) == 0 && ok;
    if (ok && platform::ReplaceFile(temporary, path))
        return true;
    std::remove(temporary.c_str());
    error = "cannot save " + path + (ok ? ": it could not replace the old file" : ": it could not be written");
    return false;
}

std::vector<std::string> DirectSyncActions::TakeLines() {
    std::vector<std::string> taken;
    taken.swap(lines);
    return taken;
}
