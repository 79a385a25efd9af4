#pragma once

#include "engine/audio/MusicClock.h"
#include "engine/audio/SoundOutputOpener.h"

class MusicPlayer;
struct PcmFormat;

// What changed hands this frame, for the log.
struct MusicFailoverEvent {
    bool lost = false;   // the device stalled or went: the wall clock took over
    bool back = false;   // a device plays again: the music resumes at backAt
    double backAt = 0.0;
};

// Keeps the show going when the sound device stalls or goes: the wall clock
// takes over at exactly real speed, a new device is tried every few seconds
// off the frame loop, and once one plays the music resumes at the show's time.
class MusicFailover {
public:
    MusicFailover(MusicPlayer& player, SoundOutputOpener::Factory openOutput);

    // The default output for the window, with a buffer for the format, as
    // the opener's thread makes it.
    static SoundOutputOpener::Factory DefaultOutput(void* window, const PcmFormat& format);

    // Once a frame while the music is on: refills the player, follows its
    // device and returns the show's time.
    double Update(double wallTime, MusicFailoverEvent& event);
    // The show was put at `showTime` (playback starts, a seek, a pause ends).
    void Restart(double wallTime, double showTime);
    bool OnWallClock() const { return clock.OnWallClock(); }

private:
    MusicPlayer& player;
    MusicClock clock;
    SoundOutputOpener opener;
};
