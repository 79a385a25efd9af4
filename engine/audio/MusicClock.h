#pragma once

// Who keeps the show's time while the music is on: the music's play cursor
// as long as it moves, the wall clock while the sound device is stalled or
// gone. Plain arithmetic over what the player reports once a frame, so the
// rule is tested with readings, not with sound hardware.

struct MusicReading {
    double wallTime = 0.0;   // seconds of a steady clock that never stops
    double position = 0.0;   // the player's position, seconds
    bool hasOutput = false;  // the player has a device to play on
    bool outputLost = false; // the device has said that it is gone
};

enum class MusicClockAction {
    None,
    ReleaseOutput, // the device stalled or is gone: hand it away
    TryOpen,       // time to try opening a device again
    SeekMusic,     // a device plays again: seek the music to the show's time
};

struct MusicClockStep {
    double showTime = 0.0;
    MusicClockAction action = MusicClockAction::None;
    bool lost = false; // the music has just lost its device (not a failed retry)
};

class MusicClock {
public:
    // A cursor that stands this long while the music plays has stalled.
    static constexpr double kStallSeconds = 0.25;
    static constexpr double kRetrySeconds = 2.0;
    // A device just opened, or just told to play, may take this long to start.
    static constexpr double kStartSeconds = 4.0;

    MusicClockStep Step(const MusicReading& reading);
    // The show was put at `showTime`: playback starts, a seek, the end of a pause.
    void Restart(double wallTime, double showTime);
    bool OnWallClock() const { return owner != Owner::Music; }

private:
    enum class Owner { Music, Wall, StartingDevice };

    MusicClockStep FollowMusic(const MusicReading& reading);
    MusicClockStep FollowWall(const MusicReading& reading);
    MusicClockStep WatchNewDevice(const MusicReading& reading);
    void TakeWall(double wallTime);
    double WallShowTime(double wallTime) const { return wallShowOrigin + (wallTime - wallOrigin); }

    Owner owner = Owner::Music;
    double shown = 0.0; // the show time of the last step
    // Music: where the cursor was last seen to move, and when.
    double lastPosition = 0.0;
    double lastMove = 0.0;
    bool started = false; // the cursor has moved since the last restart
    // The show never goes back when the music takes the clock again.
    double floor = 0.0;
    // Wall clock: the show time at a wall time.
    double wallOrigin = 0.0;
    double wallShowOrigin = 0.0;
    double nextTry = 0.0;
    // A new device: when it came and where its cursor stood.
    double deviceSince = 0.0;
    double devicePosition = 0.0;
};
