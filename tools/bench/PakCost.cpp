#include "tools/bench/PakCost.h"

#include "engine/files/MemoryStream.h"
#include "engine/files/PakArchive.h"
#include "engine/files/PakBuilder.h"
#include "tools/bench/CpuTime.h"

#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

// Standard output goes to /dev/null while it lives.
class QuietStdout {
public:
    QuietStdout() {
        std::fflush(stdout);
        saved = dup(STDOUT_FILENO);
        const int null = open("/dev/null", O_WRONLY);
        if (null >= 0) {
            dup2(null, STDOUT_FILENO);
            close(null);
        }
    }
    ~QuietStdout() {
        std::fflush(stdout);
        if (saved >= 0) {
            dup2(saved, STDOUT_FILENO);
            close(saved);
        }
    }
    QuietStdout(const QuietStdout&) = delete;
    QuietStdout& operator=(const QuietStdout&) = delete;

private:
    int saved = -1;
};

}

bool PakDataArea(const std::vector<uint8_t>& archive, std::vector<uint8_t>& data) {
    const size_t headerSize = kPakMagicSize + 4;
    if (archive.size() < headerSize || std::memcmp(archive.data(), kPakMagic, kPakMagicSize) != 0)
        return false;
    uint32_t listSize = 0;
    for (int byte = 3; byte >= 0; --byte)
        listSize = (listSize << 8) | archive[kPakMagicSize + byte];
    if (listSize > archive.size() - headerSize)
        return false;
    data.assign(archive.begin() + static_cast<std::ptrdiff_t>(headerSize + listSize), archive.end());
    return true;
}

bool MeasurePakBuild(const std::string& rootDirectory, const std::string& outputPath, double& cpuSeconds,
                     std::string& error) {
    PakBuildEntries entries;
    const double before = ProcessCpuSeconds();
    bool built = false;
    {
        QuietStdout quiet;
        built = BuildPak(entries, rootDirectory, outputPath);
    }
    cpuSeconds = ProcessCpuSeconds() - before;
    if (!built)
        error = "cannot pack '" + rootDirectory + "' into '" + outputPath + "'";
    return built;
}

bool MeasurePakRead(const std::string& path, double& cpuSeconds, uint64_t& unpackedBytes, std::string& error) {
    const double before = ProcessCpuSeconds();
    PakArchive archive;
    if (!archive.Open(path)) {
        error = "'" + path + "' is not a complete archive";
        return false;
    }
    unpackedBytes = 0;
    for (const std::string& name : archive.Names()) {
        MemoryStream file;
        if (!archive.Extract(name, file)) {
            error = "cannot inflate '" + name + "' of '" + path + "'";
            return false;
        }
        unpackedBytes += file.Length();
    }
    cpuSeconds = ProcessCpuSeconds() - before;
    return true;
}
