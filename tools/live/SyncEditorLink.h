#pragma once

#include "engine/platform/StreamSocket.h"
#include "tools/live/SyncCommandReader.h"
#include "tools/live/SyncEditorActions.h"
#include "tools/live/SyncEditorRetry.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class SyncTrackSet;

// The live tool's side of a connection to a sync editor: it greets, asks for
// each track of the show's set (and for tracks that appear later), hands the
// editor's commands to the actions, and tells the editor the row while the
// show plays. Polled once a frame, it never waits. Whatever goes wrong closes
// the connection with a line that says why; the show keeps its keys, and the
// link tries again every 2 s.
class SyncEditorLink {
public:
    // A greeting that has not come this long after connecting closes the connection.
    static constexpr double kGreetingTimeout = 5.0;

    SyncEditorLink(std::string host, uint16_t port, const SyncTrackSet& tracks, SyncEditorActions& actions);

    // One frame: `now` in seconds, `row` the show's row, `playing` false while paused.
    void Poll(double now, double row, bool playing);
    bool Connected() const { return greeted; }
    // The lines for standard output since the last call.
    std::vector<std::string> TakeLines();
    // The last "sync editor ..." line, for the overlay.
    const std::string& Status() const { return status; }
    std::string Address() const { return host + ":" + std::to_string(port); }

private:
    void TryToConnect(double now);
    void FollowConnecting(double now);
    void OnGreeted();
    void RequestNewTracks();
    void ReportRow(double row, bool playing);
    bool Flush(double now);
    bool Receive(double now);
    void Apply(const SyncCommand& command);
    void Close(double now, const std::string& reason);
    void Say(const std::string& line);

    std::string host;
    uint16_t port;
    const SyncTrackSet& tracks;
    SyncEditorActions& actions;
    std::unique_ptr<platform::StreamSocket> socket;
    bool connected = false;  // the socket is, the editor may not have greeted
    bool greeted = false;
    double connectedAt = 0.0;
    SyncEditorRetry retry;
    SyncCommandReader reader;
    // The set's index of each requested track, in the order of the requests.
    std::vector<size_t> requested;
    size_t tracksSeen = 0;
    int64_t lastRow = -1;
    std::vector<uint8_t> outgoing;
    std::vector<std::string> lines;
    std::string status;
};
