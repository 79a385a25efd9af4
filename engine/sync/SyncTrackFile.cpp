#include "engine/sync/SyncTrackFile.h"

#include <cmath>
#include <cstring>

const char* const kSyncTrackFolder = "data/sync";

namespace {

constexpr size_t kCountBytes = 4;
constexpr size_t kKeyBytes = 9;
const char kExtension[] = ".track";
constexpr size_t kExtensionLength = sizeof kExtension - 1;
const char kHexDigits[] = "0123456789ABCDEF";

uint32_t ReadLittle32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
           static_cast<uint32_t>(p[3]) << 24;
}

void WriteLittle32(uint32_t value, std::vector<uint8_t>& out) {
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<uint8_t>(value >> shift));
}

std::string KeyReason(size_t index, const char* what) { return "key " + std::to_string(index) + " " + what; }

// Checks one key against the key before it; empty when it is good.
std::string CheckKey(const SyncKey& key, uint8_t interpolation, const SyncKey* previous, size_t index) {
    if (key.row < 0)
        return KeyReason(index, "has a negative row");
    if (previous && key.row <= previous->row)
        return KeyReason(index, "does not come after the key before it");
    if (interpolation >= kSyncInterpolationCount)
        return KeyReason(index, "has an unknown interpolation");
    if (!std::isfinite(key.value))
        return KeyReason(index, "has a value that is not a finite number");
    return std::string();
}

bool IsPlainNameCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' || c == '_';
}

int HexValue(char c) {
    const char* found = c ? std::strchr(kHexDigits, c) : nullptr;
    return found ? static_cast<int>(found - kHexDigits) : -1;
}

}

bool ReadSyncTrackKeys(const uint8_t* bytes, size_t size, std::vector<SyncKey>& keys, std::string& reason) {
    if (size < kCountBytes) {
        reason = "the file is cut short before its key count";
        return false;
    }
    const int32_t count = static_cast<int32_t>(ReadLittle32(bytes));
    if (count < 0) {
        reason = "the key count is negative";
        return false;
    }
    // Checked against the bytes before anything is taken for the keys.
    const uint64_t needed = kCountBytes + static_cast<uint64_t>(count) * kKeyBytes;
    if (needed > size) {
        reason = "the file is cut short: " + std::to_string(count) + " keys take " + std::to_string(needed) +
                 " bytes and it holds " + std::to_string(size);
        return false;
    }
    if (needed < size) {
        reason = "the file goes on for " + std::to_string(size - needed) + " bytes after its last key";
        return false;
    }
    std::vector<SyncKey> read(static_cast<size_t>(count));
    for (size_t index = 0; index < read.size(); ++index) {
        const uint8_t* p = bytes + kCountBytes + index * kKeyBytes;
        SyncKey& key = read[index];
        key.row = static_cast<int32_t>(ReadLittle32(p));
        const uint32_t bits = ReadLittle32(p + 4);
        std::memcpy(&key.value, &bits, sizeof key.value);
        const uint8_t interpolation = p[8];
        key.interpolation = static_cast<SyncInterpolation>(interpolation < kSyncInterpolationCount ? interpolation : 0);
        reason = CheckKey(key, interpolation, index ? &read[index - 1] : nullptr, index);
        if (!reason.empty())
            return false;
    }
    keys = std::move(read);
    return true;
}

std::vector<uint8_t> WriteSyncTrackKeys(const std::vector<SyncKey>& keys) {
    std::vector<uint8_t> out;
    out.reserve(kCountBytes + keys.size() * kKeyBytes);
    WriteLittle32(static_cast<uint32_t>(keys.size()), out);
    for (const SyncKey& key : keys) {
        uint32_t bits = 0;
        std::memcpy(&bits, &key.value, sizeof bits);
        WriteLittle32(static_cast<uint32_t>(key.row), out);
        WriteLittle32(bits, out);
        out.push_back(static_cast<uint8_t>(key.interpolation));
    }
    return out;
}

std::string SyncTrackFileName(const std::string& trackName) {
    std::string name;
    for (char c : trackName) {
        if (IsPlainNameCharacter(c)) {
            name += c;
            continue;
        }
        const auto byte = static_cast<unsigned char>(c);
        name += '-';
        name += kHexDigits[byte >> 4];
        name += kHexDigits[byte & 15];
    }
    return name + kExtension;
}

bool SyncTrackNameOfFile(const std::string& fileName, std::string& trackName) {
    if (fileName.size() <= kExtensionLength ||
        fileName.compare(fileName.size() - kExtensionLength, kExtensionLength, kExtension) != 0)
        return false;
    std::string name;
    const size_t end = fileName.size() - kExtensionLength;
    for (size_t i = 0; i < end; ++i) {
        const char c = fileName[i];
        if (IsPlainNameCharacter(c)) {
            name += c;
            continue;
        }
        if (c != '-' || i + 2 >= end || HexValue(fileName[i + 1]) < 0 || HexValue(fileName[i + 2]) < 0)
            return false;
        name += static_cast<char>(HexValue(fileName[i + 1]) * 16 + HexValue(fileName[i + 2]));
        i += 2;
    }
    // One spelling a name: "-41" for "A" is not a track file of ours.
    if (SyncTrackFileName(name) != fileName)
        return false;
    trackName = name;
    return true;
}

std::string SyncTrackPath(const std::string& trackName) {
    return std::string(kSyncTrackFolder) + "/" + SyncTrackFileName(trackName);
}
