#include "tools/live/SyncCommandReader.h"

#include "tools/live/SyncProtocol.h"

#include <cmath>
#include <cstring>

using namespace syncprotocol;

void SyncCommandReader::Reset() { *this = SyncCommandReader(); }

size_t SyncCommandReader::CommandSize(uint8_t command) {
    switch (command) {
    case kSetKey: return 14;
    case kDeleteKey: return 9;
    case kSetRow: return 5;
    case kPause: return 2;
    case kSave: return 1;
    default: return 0;
    }
}

bool SyncCommandReader::Read(const uint8_t* bytes, size_t size, std::vector<SyncCommand>& commands,
                             std::string& reason) {
    if (refused)
        return Refuse("the connection was already refused", reason);
    pending.insert(pending.end(), bytes, bytes + size);
    if (!greeted && !ReadGreeting(reason))
        return !refused;
    size_t at = 0;
    while (at < pending.size()) {
        const size_t need = CommandSize(pending[at]);
        if (need == 0)
            return Refuse("unknown command " + std::to_string(pending[at]), reason);
        if (pending.size() - at < need)
            break;
        SyncCommand command;
        if (!Decode(&pending[at], command, reason))
            return false;
        commands.push_back(command);
        at += need;
    }
    pending.erase(pending.begin(), pending.begin() + static_cast<std::ptrdiff_t>(at));
    return true;
}

// False until the greeting is whole; then refused unless it is the editor's.
bool SyncCommandReader::ReadGreeting(std::string& reason) {
    const size_t have = std::min(pending.size(), kEditorGreetingSize);
    if (std::memcmp(pending.data(), kEditorGreeting, have) != 0)
        return Refuse("the other side does not greet as a sync editor", reason);
    if (have < kEditorGreetingSize)
        return false;
    pending.erase(pending.begin(), pending.begin() + kEditorGreetingSize);
    greeted = true;
    return true;
}

bool SyncCommandReader::Decode(const uint8_t* bytes, SyncCommand& command, std::string& reason) {
    switch (bytes[0]) {
    case kSetKey: {
        command.kind = SyncCommand::Kind::SetKey;
        command.track = ReadUint32(bytes + 1);
        const uint32_t row = ReadUint32(bytes + 5);
        const uint32_t bits = ReadUint32(bytes + 9);
        std::memcpy(&command.key.value, &bits, sizeof bits);
        const uint8_t interpolation = bytes[13];
        if (!CheckTrack(command.track, reason) || !CheckRow(row, reason))
            return Refuse(reason, reason);
        if (!std::isfinite(command.key.value))
            return Refuse("a value that is not finite at row " + std::to_string(row), reason);
        if (interpolation >= kSyncInterpolationCount)
            return Refuse("interpolation " + std::to_string(interpolation) + " is above 3", reason);
        command.key.row = static_cast<int32_t>(row);
        command.key.interpolation = static_cast<SyncInterpolation>(interpolation);
        keyedRows[command.track].insert(command.key.row);
        return true;
    }
    case kDeleteKey: {
        command.kind = SyncCommand::Kind::DeleteKey;
        command.track = ReadUint32(bytes + 1);
        const uint32_t row = ReadUint32(bytes + 5);
        if (!CheckTrack(command.track, reason) || !CheckRow(row, reason))
            return Refuse(reason, reason);
        command.key.row = static_cast<int32_t>(row);
        if (keyedRows[command.track].erase(command.key.row) == 0)
            return Refuse("delete of a key that does not exist: track " + std::to_string(command.track) + " row " +
                              std::to_string(row),
                          reason);
        return true;
    }
    case kSetRow: {
        command.kind = SyncCommand::Kind::SetRow;
        const uint32_t row = ReadUint32(bytes + 1);
        if (!CheckRow(row, reason))
            return Refuse(reason, reason);
        command.key.row = static_cast<int32_t>(row);
        return true;
    }
    case kPause:
        command.kind = SyncCommand::Kind::Pause;
        if (bytes[1] > 1)
            return Refuse("pause flag " + std::to_string(bytes[1]) + " is neither 0 nor 1", reason);
        command.paused = bytes[1] == 1;
        return true;
    default:
        command.kind = SyncCommand::Kind::Save;
        return true;
    }
}

bool SyncCommandReader::CheckTrack(uint32_t track, std::string& reason) const {
    if (track < keyedRows.size())
        return true;
    reason = "track index " + std::to_string(track) + " out of range (" + std::to_string(keyedRows.size()) +
             " requested)";
    return false;
}

bool SyncCommandReader::CheckRow(uint32_t row, std::string& reason) {
    if (row <= static_cast<uint32_t>(INT32_MAX))
        return true;
    reason = "row " + std::to_string(row) + " is above " + std::to_string(INT32_MAX);
    return false;
}

bool SyncCommandReader::Refuse(const std::string& why, std::string& reason) {
    reason = why;
    refused = true;
    pending.clear();
    return false;
}
