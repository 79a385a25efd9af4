#pragma once

// Whether SDL's audio may be started. SDL's PulseAudio driver crashes while
// it starts when the server it reaches has no default sink (it copies the
// missing sink name), so that server is asked first, by the program itself.

enum class SoundServerState {
    Unreachable,   // no server answers: SDL tries its other drivers
    HasSink,       // a server with a default sink
    NoSink,        // a server without any sink to play on
    NoAnswer,      // a server that took the connection but did not answer in time
};

// The decision, over SDL_AUDIODRIVER as set (null when unset) and the
// server's state, asked only when SDL may pick PulseAudio.
template <typename AskServer>
bool MaySdlStartAudio(const char* driverChoice, AskServer askServer);

// The server's state as libpulse reports it within `seconds`; Unreachable
// when the library is not installed.
SoundServerState AskPulseServer(double seconds);

bool SdlMayUsePulseAudio(const char* driverChoice);

template <typename AskServer>
bool MaySdlStartAudio(const char* driverChoice, AskServer askServer) {
    if (!SdlMayUsePulseAudio(driverChoice))
        return true;
    const SoundServerState state = askServer();
    return state == SoundServerState::Unreachable || state == SoundServerState::HasSink;
}
