// The link against a fake editor on a loopback socket of its own (port 0,
// never the editors' port), over the real sockets of the platform.
#include "engine/platform/StreamSocket.h"
#include "engine/sync/SyncTrackSet.h"
#include "tools/live/SyncEditorLink.h"
#include "tools/live/SyncProtocol.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <functional>
#include <thread>

namespace {

using Bytes = std::vector<uint8_t>;

// Writes down what the link asks for, one line per call.
struct RecordingActions : SyncEditorActions {
    void TakeEditorKeys(const std::vector<size_t>& tracks) override {
        std::string line = "take";
        for (size_t track : tracks)
            line += " " + std::to_string(track);
        log.push_back(line);
    }
    void SetKey(size_t track, const SyncKey& key) override {
        log.push_back("key " + std::to_string(track) + " " + std::to_string(key.row) + " " +
                      std::to_string(key.value) + " " + std::to_string(int(key.interpolation)));
    }
    void DeleteKey(size_t track, int32_t row) override {
        log.push_back("delete " + std::to_string(track) + " " + std::to_string(row));
    }
    void SeekRow(int32_t row) override { log.push_back("seek " + std::to_string(row)); }
    void SetPaused(bool paused) override { log.push_back(paused ? "pause" : "play"); }
    void SaveTracks() override { log.push_back("save"); }
    std::vector<std::string> log;
};

class FakeEditor {
public:
    FakeEditor() {
        std::string error;
        EXPECT_TRUE(listener->Listen(0, error)) << error;
    }
    uint16_t Port() const { return listener->Port(); }

    // Takes a connection when one comes, reads what arrived; a closed
    // connection is let go, and the next one accepted.
    void Pump() {
        if (!client && (client = listener->Accept()))
            ++accepted;
        uint8_t buffer[512];
        std::string error;
        long got = 0;
        while (client && (got = client->Receive(buffer, sizeof buffer, error)) > 0)
            received.insert(received.end(), buffer, buffer + got);
        if (got < 0) {
            client.reset();
            received.clear();
        }
    }
    void Send(const Bytes& bytes) {
        std::string error;
        ASSERT_TRUE(client);
        ASSERT_EQ(client->Send(bytes.data(), bytes.size(), error), static_cast<long>(bytes.size())) << error;
    }
    void Drop() {
        client.reset();
        received.clear();
    }

    std::unique_ptr<platform::StreamListener> listener = platform::CreateStreamListener();
    std::unique_ptr<platform::StreamSocket> client;
    Bytes received;
    int accepted = 0;
};

Bytes Join(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Bytes Text(const std::string& text) { return Bytes(text.begin(), text.end()); }

Bytes Command(uint8_t command, std::initializer_list<uint32_t> words, int lastByte = -1) {
    Bytes out{command};
    for (uint32_t word : words)
        syncprotocol::AppendUint32(out, word);
    if (lastByte >= 0)
        out.push_back(static_cast<uint8_t>(lastByte));
    return out;
}

Bytes Request(const std::string& name) {
    Bytes out;
    syncprotocol::AppendTrackRequest(out, name);
    return out;
}

class SyncEditorLinkTest : public ::testing::Test {
protected:
    // Frames of the show, 10 ms apart on the link's clock, until `done` or 5 s of real time.
    bool RunUntil(const std::function<bool()>& done) {
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (!done() && std::chrono::steady_clock::now() < until) {
            now += 0.01;
            link.Poll(now, row, playing);
            for (const std::string& line : link.TakeLines())
                lines.push_back(line);
            editor.Pump();
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return done();
    }
    void Frames(int count) {
        RunUntil([&] { return --count < 0; });
    }
    bool Received(const Bytes& bytes) {
        return RunUntil([&] { return editor.received == bytes; });
    }
    bool Said(const std::string& line) {
        return RunUntil([&] { return !lines.empty() && lines.back() == line; });
    }
    void Connect() {
        ASSERT_TRUE(Received(Text("hello, synctracker!")));
        editor.Send(Text("hello, demo!"));
        ASSERT_TRUE(Said("sync editor connected " + link.Address()));
    }

    SyncTrackSet tracks;
    RecordingActions actions;
    FakeEditor editor;
    SyncEditorLink link{"127.0.0.1", editor.Port(), tracks, actions};
    double now = 0.0, row = 0.0;
    bool playing = false;
    std::vector<std::string> lines;
};

}

TEST_F(SyncEditorLinkTest, GreetsRequestsTracksInOrderAndHandsOnTheEditorsCommands) {
    tracks.Bind("glow");
    tracks.Bind(std::string(4097, 'x'));  // too long to ask for: protocol indices skip it
    tracks.Bind("post.uFade");
    ASSERT_TRUE(Received(Text("hello, synctracker!")));
    editor.Send(Text("hello, demo!"));
    ASSERT_TRUE(Received(Join(Text("hello, synctracker!"), Join(Request("glow"), Request("post.uFade")))));
    EXPECT_EQ(lines.at(0), "sync editor connected " + link.Address());
    EXPECT_NE(lines.at(1).find("is not requested: its name is over 4096 bytes"), std::string::npos);
    editor.received.clear();

    editor.Send(Join(Command(0, {1, 8, 0x3F000000}, 1), Command(1, {1, 8})));
    editor.Send(Join(Command(3, {64}), Join(Command(4, {}, 0), Command(5, {}))));
    ASSERT_TRUE(RunUntil([&] { return actions.log.size() == 6; }));
    EXPECT_EQ(actions.log, (std::vector<std::string>{"take 0 2", "key 2 8 0.500000 1", "delete 2 8", "seek 64",
                                                     "play", "save"}));

    // Playing, the row goes out each time its whole part changes; paused, never.
    playing = true;
    for (double r : {64.2, 65.0, 65.9, 66.5}) {  // the editor's own seek to 64 is not sent back
        row = r;
        Frames(20);
    }
    playing = false;
    row = 90.0;
    Frames(20);
    EXPECT_EQ(editor.received, Join(Command(3, {65}), Command(3, {66})));

    // A track bound later is asked for then, and its index follows on.
    editor.received.clear();
    tracks.Bind("late");
    ASSERT_TRUE(Received(Request("late")));
    editor.Send(Command(0, {2, 0, 0}, 0));
    ASSERT_TRUE(RunUntil([&] { return actions.log.size() == 8; }));
    EXPECT_EQ(actions.log[6], "take 3");
    EXPECT_EQ(actions.log[7], "key 3 0 0.000000 0");
}

TEST_F(SyncEditorLinkTest, HostileInputOrADropClosesWithItsReasonAndTheLinkConnectsAgain) {
    tracks.Bind("glow");
    const Bytes tryAgain = Join(Text("hello, synctracker!"), Request("glow"));
    const struct {
        Bytes bytes;
        const char* line;
    } cases[] = {
        {Command(7, {}), "unknown command 7"},
        {Command(0, {1, 0, 0}, 0), "track index 1 out of range (1 requested)"},
        {Command(1, {0, 5}), "delete of a key that does not exist: track 0 row 5"},
        {Command(0, {0, 5, 0x7FC00000}, 0), "a value that is not finite at row 5"},
        {Command(0, {0, 5, 0}, 4), "interpolation 4 is above 3"},
        {Command(3, {0x80000000u}), "row 2147483648 is above 2147483647"},
        {Bytes(), "connection lost: the other side closed the connection"},
    };
    for (const auto& c : cases) {
        const int accepted = editor.accepted;
        now += SyncEditorRetry::kInterval;
        ASSERT_TRUE(RunUntil([&] { return editor.accepted > accepted; })) << c.line;
        Connect();
        ASSERT_TRUE(Received(tryAgain));
        if (c.bytes.empty())
            editor.Drop();
        else
            editor.Send(c.bytes);
        EXPECT_TRUE(Said(std::string("sync editor closed: ") + c.line)) << lines.back();
        EXPECT_EQ(link.Status(), lines.back());
        EXPECT_FALSE(link.Connected());
    }
    EXPECT_EQ(std::count(actions.log.begin(), actions.log.end(), "take 0"), 7);
}

TEST_F(SyncEditorLinkTest, AnEditorThatIsNotThereIsReportedOnceAndTriedEvery2Seconds) {
    SyncEditorRetry retry;
    EXPECT_TRUE(retry.Due(0.0));
    retry.Tried();
    EXPECT_TRUE(retry.Failed(0.5));
    EXPECT_FALSE(retry.Due(2.4));
    EXPECT_TRUE(retry.Due(2.5));
    EXPECT_FALSE(retry.Failed(2.5));
    retry.Closed(10.0);
    EXPECT_FALSE(retry.Due(11.0));
    EXPECT_TRUE(retry.Failed(12.0));

    const uint16_t port = editor.Port();
    editor.listener.reset();  // nothing listens there now
    SyncEditorLink nowhere("127.0.0.1", port, tracks, actions);
    for (int frame = 0; frame < 100; ++frame) {
        nowhere.Poll(frame * 0.1, 0.0, true);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    const std::vector<std::string> said = nowhere.TakeLines();
    ASSERT_EQ(said.size(), 1u);
    EXPECT_EQ(said[0].rfind("sync editor closed: cannot connect to 127.0.0.1:" + std::to_string(port) + ": ", 0), 0u)
        << said[0];

    // A stranger that never greets is let go after 5 s.
    FakeEditor silent;
    SyncEditorLink waiting("127.0.0.1", silent.Port(), tracks, actions);
    for (double t = 0.0; t < 8.0 && waiting.TakeLines().empty(); t += 0.5) {
        waiting.Poll(t, 0.0, true);
        silent.Pump();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    EXPECT_EQ(waiting.Status(), "sync editor closed: no greeting from the editor within 5 s");
}
