#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The compressed files of an archive: everything after its header and its
// packed file list, one gzip stream per file back to back. False for bytes
// that do not start like an archive or whose list runs past their end.
bool PakDataArea(const std::vector<uint8_t>& archive, std::vector<uint8_t>& data);

// CPU seconds of packing the tree below rootDirectory into outputPath, the
// builder's progress lines kept off standard output.
bool MeasurePakBuild(const std::string& rootDirectory, const std::string& outputPath, double& cpuSeconds,
                     std::string& error);

// CPU seconds of opening the archive and inflating every file in it, and
// the bytes the files unpacked to.
bool MeasurePakRead(const std::string& path, double& cpuSeconds, uint64_t& unpackedBytes, std::string& error);
