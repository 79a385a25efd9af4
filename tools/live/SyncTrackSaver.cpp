#include "tools/live/SyncTrackSaver.h"

#include "engine/files/TemporaryFileName.h"
#include "engine/platform/DirectoryListing.h"
#include "engine/platform/SystemServices.h"
#include "engine/sync/SyncTrackFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace {

// The system's text without its line break.
std::string LastErrorText() {
    std::string text = platform::ErrorText(platform::LastErrorCode());
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' '))
        text.pop_back();
    return text;
}

bool WriteWhole(const std::string& path, const std::vector<uint8_t>& bytes, std::string& error) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        error = "cannot write " + path + ": " + std::strerror(errno);
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const int writeErrno = errno;
    if (std::fclose(file) != 0 || !written) {
        error = "cannot write " + path + ": " + std::strerror(written ? errno : writeErrno);
        std::remove(path.c_str());
        return false;
    }
    return true;
}

}

bool SaveSyncTrackFile(const std::string& folder, const std::string& trackName, const std::vector<SyncKey>& keys,
                       std::string& path, std::string& error) {
    const std::string file = SyncTrackFileName(trackName);
    path = folder + "/" + file;
    std::error_code failure;
    std::filesystem::create_directories(folder, failure);
    if (failure) {
        error = "cannot make the folder " + folder + ": " + failure.message();
        return false;
    }
    const std::string temporary = TemporaryFileNameOf(path);
    if (!WriteWhole(temporary, WriteSyncTrackKeys(keys), error))
        return false;
    if (!platform::ReplaceFile(temporary, path)) {
        error = "cannot replace " + path + ": " + LastErrorText();
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}
