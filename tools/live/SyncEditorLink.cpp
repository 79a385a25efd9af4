#include "tools/live/SyncEditorLink.h"

#include "engine/sync/SyncTrackSet.h"
#include "tools/live/SyncProtocol.h"

#include <cmath>

namespace {

// What one frame reads at most, so an editor that floods cannot hold a frame up.
constexpr int kReadsPerPoll = 64;
constexpr size_t kReadSize = 4096;

}

SyncEditorLink::SyncEditorLink(std::string host, uint16_t port, const SyncTrackSet& tracks,
                               SyncEditorActions& actions)
    : host(std::move(host)), port(port), tracks(tracks), actions(actions) {}

void SyncEditorLink::Poll(double now, double row, bool playing) {
    if (!socket && retry.Due(now))
        TryToConnect(now);
    if (socket && !connected)
        FollowConnecting(now);
    if (!connected)
        return;
    if (greeted) {
        RequestNewTracks();
        ReportRow(row, playing);
    }
    if (!Flush(now) || !Receive(now))
        return;
    if (!greeted && now - connectedAt > kGreetingTimeout) {
        Close(now, "no greeting from the editor within 5 s");
        return;
    }
    // The greeting may have come in this frame: its requests go out at once.
    Flush(now);
}

std::vector<std::string> SyncEditorLink::TakeLines() {
    std::vector<std::string> taken;
    taken.swap(lines);
    return taken;
}

void SyncEditorLink::TryToConnect(double now) {
    retry.Tried();
    socket = platform::CreateStreamSocket();
    std::string error;
    if (!socket->Connect(host, port, error))
        Close(now, "cannot connect to " + Address() + ": " + error);
}

void SyncEditorLink::FollowConnecting(double now) {
    std::string error;
    switch (socket->Poll(error)) {
    case platform::StreamSocket::State::Connecting: return;
    case platform::StreamSocket::State::Failed: Close(now, "cannot connect to " + Address() + ": " + error); return;
    case platform::StreamSocket::State::Connected: break;
    }
    connected = true;
    connectedAt = now;
    outgoing.assign(syncprotocol::kDemoGreeting, syncprotocol::kDemoGreeting + syncprotocol::kDemoGreetingSize);
}

void SyncEditorLink::OnGreeted() {
    greeted = true;
    Say("sync editor connected " + Address());
    RequestNewTracks();
}

// Every track of the set not yet asked for; the editor's keys replace the
// show's for each from now on.
void SyncEditorLink::RequestNewTracks() {
    std::vector<size_t> fresh;
    for (; tracksSeen < tracks.Count(); ++tracksSeen) {
        const std::string& name = tracks.At(tracksSeen).Name();
        if (!syncprotocol::AppendTrackRequest(outgoing, name)) {
            Say("sync editor: the track '" + name.substr(0, 64) + "...' is not requested: its name is over " +
                std::to_string(syncprotocol::kMaxTrackNameLength) + " bytes");
            continue;
        }
        requested.push_back(tracksSeen);
        reader.TrackRequested();
        fresh.push_back(tracksSeen);
    }
    if (!fresh.empty())
        actions.TakeEditorKeys(fresh);
}

// A seek lands on the row itself, give or take the rounding of seconds.
void SyncEditorLink::ReportRow(double row, bool playing) {
    const int64_t whole = static_cast<int64_t>(std::floor(row + 1e-6));
    if (playing && whole != lastRow && whole >= 0 && whole <= INT32_MAX)
        syncprotocol::AppendSetRow(outgoing, static_cast<uint32_t>(whole));
    lastRow = whole;
}

bool SyncEditorLink::Flush(double now) {
    while (!outgoing.empty()) {
        std::string error;
        const long sent = socket->Send(outgoing.data(), outgoing.size(), error);
        if (sent < 0) {
            Close(now, "connection lost: " + error);
            return false;
        }
        if (sent == 0)
            break;
        outgoing.erase(outgoing.begin(), outgoing.begin() + sent);
    }
    return true;
}

bool SyncEditorLink::Receive(double now) {
    uint8_t buffer[kReadSize];
    for (int i = 0; i < kReadsPerPoll; ++i) {
        std::string error;
        const long got = socket->Receive(buffer, sizeof buffer, error);
        if (got < 0) {
            Close(now, "connection lost: " + error);
            return false;
        }
        if (got == 0)
            return true;
        std::vector<SyncCommand> commands;
        const bool ok = reader.Read(buffer, static_cast<size_t>(got), commands, error);
        if (!greeted && reader.Greeted())
            OnGreeted();
        for (const SyncCommand& command : commands)
            Apply(command);
        if (!ok) {
            Close(now, error);
            return false;
        }
    }
    return true;
}

void SyncEditorLink::Apply(const SyncCommand& command) {
    switch (command.kind) {
    case SyncCommand::Kind::SetKey: actions.SetKey(requested[command.track], command.key); break;
    case SyncCommand::Kind::DeleteKey: actions.DeleteKey(requested[command.track], command.key.row); break;
    case SyncCommand::Kind::SetRow:
        lastRow = command.key.row;
        actions.SeekRow(command.key.row);
        break;
    case SyncCommand::Kind::Pause: actions.SetPaused(command.paused); break;
    case SyncCommand::Kind::Save: actions.SaveTracks(); break;
    }
}

// A connection the editor greeted on is reported closed, and so is the next
// try that fails; tries that fail after that are not.
void SyncEditorLink::Close(double now, const std::string& reason) {
    if (socket)
        socket->Close();
    socket.reset();
    const bool report = greeted ? (retry.Closed(now), true) : retry.Failed(now);
    connected = greeted = false;
    reader.Reset();
    requested.clear();
    tracksSeen = 0;
    lastRow = -1;
    outgoing.clear();
    if (report)
        Say("sync editor closed: " + reason);
}

void SyncEditorLink::Say(const std::string& line) {
    lines.push_back(line);
    status = line;
}
