#include "engine/files/FileSystem.h"

#include "engine/files/MemoryStream.h"
#include "engine/files/PakArchive.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace {

bool ExistsOnDisk(const std::string& path) {
    std::error_code error;
    return std::filesystem::exists(std::filesystem::path(path), error);
}

}

bool FileSystem::Exists(const std::string& path) const {
    if (searchDisk && ExistsOnDisk(path))
        return true;
    return PakAvailable() && pak->Contains(path);
}

bool FileSystem::ReadFile(const std::string& path, MemoryStream& out) const {
    if (searchDisk) {
        bool opened = false;
        const bool complete = out.LoadFromFile(path, opened);
        if (opened)
            return complete;
    }
    return PakAvailable() && pak->Extract(path, out);
}

bool FileSystem::ReadTextFile(const std::string& path, std::string& out) const {
    MemoryStream contents;
    if (!ReadFile(path, contents))
        return false;
    const uint8_t* begin = contents.Data();
    out.assign(begin, std::find(begin, begin + contents.Length(), 0));
    return true;
}

bool FileSystem::WriteFile(const std::string& path, const MemoryStream& data) const {
    if (!searchDisk)
        return false;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    const bool written = data.Length() == 0 || std::fwrite(data.Data(), 1, data.Length(), file) == data.Length();
    const bool closed = std::fclose(file) == 0;
    return written && closed;
}
