#pragma once

#include <string>

class MemoryStream;
class PakArchive;

// Reads whole files from two sources in a fixed order: loose files relative
// to the working directory, then the attached pak archive. Logs nothing; every
// result is a bool and the caller words the message.
class FileSystem {
public:
    virtual ~FileSystem() = default;

    // A file or directory on disk, or a file in the pak.
    virtual bool Exists(const std::string& path) const;
    // Fills a freshly constructed stream with the whole file. A loose file
    // that opens but reads short is a failure; the pak is not asked then.
    virtual bool ReadFile(const std::string& path, MemoryStream& out) const;
    // The file's bytes up to its first NUL; out is untouched on failure.
    virtual bool ReadTextFile(const std::string& path, std::string& out) const;
    // Writes a loose file; never the pak, so false with disk search off.
    virtual bool WriteFile(const std::string& path, const MemoryStream& data) const;

    void SetSearchDisk(bool on) { searchDisk = on; }
    void SetSearchPak(bool on) { searchPak = on; }
    // Not owned; null detaches.
    void SetPak(PakArchive* archive) { pak = archive; }

private:
    bool PakAvailable() const { return searchPak && pak; }

    bool searchDisk = true;
    bool searchPak = true;
    PakArchive* pak = nullptr;
};
