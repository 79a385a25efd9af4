#pragma once

#include "engine/files/Compression.h"
#include "engine/files/MemoryStream.h"

#include <string>
#include <utility>
#include <vector>

// Hand-made archives, so that the reader is tested apart from the builder.

inline std::string BytesOf(const MemoryStream& stream) {
    return std::string(reinterpret_cast<const char*>(stream.Data()), stream.Length());
}

inline std::string Gzip(const std::string& bytes) {
    MemoryStream packed;
    CompressToStream(bytes.data(), static_cast<uint32_t>(bytes.size()), packed);
    return BytesOf(packed);
}

inline std::string UInt32Bytes(uint32_t value) {
    MemoryStream stream;
    stream.WriteUInt32(value);
    return BytesOf(stream);
}

// The magic, the list size and the packed list, then the data area.
inline std::string PakFromList(const std::string& packedList, const std::string& dataArea) {
    return "ZPPAK" + UInt32Bytes(static_cast<uint32_t>(packedList.size())) + packedList + dataArea;
}

// An archive of (stored name, entry stream) rows laid out back to back.
inline std::string PakOfStreams(const std::vector<std::pair<std::string, std::string>>& rows) {
    std::string list = UInt32Bytes(static_cast<uint32_t>(rows.size()));
    std::string dataArea;
    for (const auto& [name, stream] : rows) {
        list += UInt32Bytes(static_cast<uint32_t>(name.size())) + name;
        list += UInt32Bytes(static_cast<uint32_t>(dataArea.size())) + UInt32Bytes(static_cast<uint32_t>(stream.size()));
        dataArea += stream;
    }
    return PakFromList(Gzip(list), dataArea);
}

// The same with (stored name, contents) rows, each gzipped.
inline std::string PakOf(const std::vector<std::pair<std::string, std::string>>& files) {
    std::vector<std::pair<std::string, std::string>> rows;
    for (const auto& [name, contents] : files)
        rows.emplace_back(name, Gzip(contents));
    return PakOfStreams(rows);
}
