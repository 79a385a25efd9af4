#pragma once

#include "engine/sync/SyncKey.h"

#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

// One command from the editor, checked.
struct SyncCommand {
    enum class Kind { SetKey, DeleteKey, SetRow, Pause, Save };
    Kind kind = Kind::Save;
    uint32_t track = 0;  // in the order the tracks were requested
    SyncKey key;         // SetKey: all of it; DeleteKey and SetRow: the row
    bool paused = false;
};

// Turns the editor's bytes into commands: first its greeting, then commands,
// whatever way the bytes are cut into reads. It trusts nothing: an unknown
// command, a track never requested, a row above INT32_MAX, a value that is
// not finite, an interpolation above 3, a pause flag other than 0 or 1, or
// the delete of a key the editor never set, refuses the input with a reason,
// and the reader takes nothing more until Reset.
class SyncCommandReader {
public:
    // A new connection: the greeting is expected again, no track is requested.
    void Reset();
    // The editor may now speak of one more track.
    void TrackRequested() { keyedRows.emplace_back(); }

    bool Greeted() const { return greeted; }
    bool Refused() const { return refused; }

    // Appends the commands the bytes complete; an incomplete one waits for
    // the next bytes. False, with `reason`, on refusal (commands before the
    // refused one are still appended).
    bool Read(const uint8_t* bytes, size_t size, std::vector<SyncCommand>& commands, std::string& reason);

private:
    // The bytes a command takes, its own byte included, or 0 for an unknown one.
    static size_t CommandSize(uint8_t command);
    bool ReadGreeting(std::string& reason);
    bool Decode(const uint8_t* bytes, SyncCommand& command, std::string& reason);
    bool CheckTrack(uint32_t track, std::string& reason) const;
    static bool CheckRow(uint32_t row, std::string& reason);
    bool Refuse(const std::string& why, std::string& reason);

    std::vector<uint8_t> pending;
    // Per requested track, the rows the editor has keyed: a delete must name one.
    std::vector<std::set<int32_t>> keyedRows;
    bool greeted = false;
    bool refused = false;
};
