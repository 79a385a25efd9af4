#include "tools/live/SyncCommandReader.h"
#include "tools/live/SyncProtocol.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Greeting() { return Bytes(syncprotocol::kEditorGreeting, syncprotocol::kEditorGreeting + 12); }

Bytes SetKey(uint32_t track, uint32_t row, float value, uint8_t interpolation) {
    Bytes out{syncprotocol::kSetKey};
    syncprotocol::AppendUint32(out, track);
    syncprotocol::AppendUint32(out, row);
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    syncprotocol::AppendUint32(out, bits);
    out.push_back(interpolation);
    return out;
}

Bytes DeleteKey(uint32_t track, uint32_t row) {
    Bytes out{syncprotocol::kDeleteKey};
    syncprotocol::AppendUint32(out, track);
    syncprotocol::AppendUint32(out, row);
    return out;
}

Bytes Join(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& part : parts)
        out.insert(out.end(), part.begin(), part.end());
    return out;
}

SyncCommandReader ReaderOfTwoTracks() {
    SyncCommandReader reader;
    reader.TrackRequested();
    reader.TrackRequested();
    return reader;
}

}

TEST(SyncCommandReader, CommandsComeOutTheSameHoweverTheBytesAreCut) {
    Bytes row{syncprotocol::kSetRow};
    syncprotocol::AppendUint32(row, 0x01020304);
    const Bytes stream = Join({Greeting(), SetKey(1, 40, -2.5f, 3), DeleteKey(1, 40), row,
                               Bytes{syncprotocol::kPause, 1}, Bytes{syncprotocol::kPause, 0}, Bytes{syncprotocol::kSave}});
    for (size_t cut : {stream.size(), size_t(1), size_t(5)}) {
        SyncCommandReader reader = ReaderOfTwoTracks();
        std::vector<SyncCommand> commands;
        std::string reason;
        for (size_t at = 0; at < stream.size(); at += cut)
            ASSERT_TRUE(reader.Read(&stream[at], std::min(cut, stream.size() - at), commands, reason)) << reason;
        ASSERT_TRUE(reader.Greeted());
        ASSERT_EQ(commands.size(), 6u) << "cut " << cut;
        EXPECT_EQ(commands[0].kind, SyncCommand::Kind::SetKey);
        EXPECT_EQ(commands[0].track, 1u);
        EXPECT_EQ(commands[0].key, (SyncKey{40, -2.5f, SyncInterpolation::Ramp}));
        EXPECT_EQ(commands[1].kind, SyncCommand::Kind::DeleteKey);
        EXPECT_EQ(commands[1].key.row, 40);
        EXPECT_EQ(commands[2].kind, SyncCommand::Kind::SetRow);
        EXPECT_EQ(commands[2].key.row, 0x01020304);
        EXPECT_TRUE(commands[3].paused);
        EXPECT_FALSE(commands[4].paused);
        EXPECT_EQ(commands[5].kind, SyncCommand::Kind::Save);
    }
}

TEST(SyncCommandReader, HostileInputIsRefusedWithItsReasonAndNothingIsReadAfter) {
    Bytes farRow{syncprotocol::kSetRow};
    syncprotocol::AppendUint32(farRow, 0x80000000u);
    const struct {
        Bytes afterGreeting;
        const char* reason;
    } cases[] = {
        {{9}, "unknown command 9"},
        {SetKey(2, 0, 1.0f, 0), "track index 2 out of range (2 requested)"},
        {DeleteKey(0xFFFFFFFFu, 0), "track index 4294967295 out of range"},
        {DeleteKey(0, 8), "delete of a key that does not exist: track 0 row 8"},
        {Join({SetKey(0, 8, 1.0f, 0), DeleteKey(0, 8), DeleteKey(0, 8)}), "delete of a key that does not exist"},
        {SetKey(0, 8, std::numeric_limits<float>::quiet_NaN(), 0), "a value that is not finite at row 8"},
        {SetKey(0, 8, -std::numeric_limits<float>::infinity(), 0), "not finite"},
        {SetKey(0, 8, 1.0f, 4), "interpolation 4 is above 3"},
        {SetKey(0, 0x80000000u, 1.0f, 0), "row 2147483648 is above 2147483647"},
        {DeleteKey(0, 0xFFFFFFFFu), "row 4294967295 is above"},
        {farRow, "row 2147483648 is above"},
        {{syncprotocol::kPause, 2}, "pause flag 2 is neither 0 nor 1"},
    };
    for (const auto& c : cases) {
        SyncCommandReader reader = ReaderOfTwoTracks();
        const Bytes stream = Join({Greeting(), c.afterGreeting, Bytes{syncprotocol::kSave}});
        std::vector<SyncCommand> commands;
        std::string reason;
        EXPECT_FALSE(reader.Read(stream.data(), stream.size(), commands, reason)) << c.reason;
        EXPECT_NE(reason.find(c.reason), std::string::npos) << reason;
        EXPECT_TRUE(reader.Refused());
        commands.clear();
        EXPECT_FALSE(reader.Read(stream.data(), 1, commands, reason));
        EXPECT_TRUE(commands.empty());
    }
    SyncCommandReader stranger;
    std::vector<SyncCommand> commands;
    std::string reason;
    const char http[] = "HTTP/1.1 400";
    EXPECT_FALSE(stranger.Read(reinterpret_cast<const uint8_t*>(http), 5, commands, reason));
    EXPECT_EQ(reason, "the other side does not greet as a sync editor");
}
