#include "tests/fuzz/FuzzTarget.h"

#include "tools/live/SyncCommandReader.h"

#include <cmath>

// The first byte says how many tracks were requested; the rest is what the
// editor sent, greeting first, fed in reads whose sizes the bytes choose too.
ZP_FUZZ_TARGET(synccommands) {
    if (size == 0)
        return 0;
    SyncCommandReader reader;
    for (uint8_t i = 0; i < data[0] % 16; ++i)
        reader.TrackRequested();
    std::vector<SyncCommand> commands;
    std::string reason;
    size_t at = 1;
    while (at < size) {
        const size_t read = std::min<size_t>(size - at, 1 + data[at] % 32);
        if (!reader.Read(data + at, read, commands, reason))
            break;
        at += read;
    }
    for (const SyncCommand& command : commands) {
        // What a reader lets through is what the link may trust.
        if ((command.kind == SyncCommand::Kind::SetKey || command.kind == SyncCommand::Kind::DeleteKey) &&
            command.track >= data[0] % 16u)
            __builtin_trap();
        if (command.key.row < 0 || !std::isfinite(command.key.value) ||
            static_cast<uint8_t>(command.key.interpolation) >= kSyncInterpolationCount)
            __builtin_trap();
    }
    return 0;
}
