#include "engine/audio/MusicClock.h"

#include <algorithm>
#include <limits>

MusicClockStep MusicClock::Step(const MusicReading& reading) {
    MusicClockStep step;
    switch (owner) {
    case Owner::Music:
        step = FollowMusic(reading);
        break;
    case Owner::Wall:
        step = FollowWall(reading);
        break;
    case Owner::StartingDevice:
        step = WatchNewDevice(reading);
        break;
    }
    shown = step.showTime;
    return step;
}

void MusicClock::Restart(double wallTime, double showTime) {
    shown = showTime;
    if (owner == Owner::Music) {
        lastMove = wallTime;
        started = false;
        floor = -std::numeric_limits<double>::infinity();
        return;
    }
    wallOrigin = wallTime;
    wallShowOrigin = showTime;
    if (owner == Owner::StartingDevice)
        deviceSince = wallTime;
}

MusicClockStep MusicClock::FollowMusic(const MusicReading& reading) {
    if (reading.position != lastPosition) {
        lastPosition = reading.position;
        lastMove = reading.wallTime;
        started = true;
    }
    // Until it first moves, the device may still be starting up.
    const double patience = started ? kStallSeconds : kStartSeconds;
    const bool stalled = reading.wallTime - lastMove >= patience;
    MusicClockStep step;
    if (!reading.hasOutput || reading.outputLost || stalled) {
        TakeWall(reading.wallTime);
        step.showTime = shown;
        step.action = reading.hasOutput ? MusicClockAction::ReleaseOutput : MusicClockAction::None;
        step.lost = true;
        return step;
    }
    step.showTime = std::max(reading.position, floor);
    return step;
}

void MusicClock::TakeWall(double wallTime) {
    owner = Owner::Wall;
    wallOrigin = wallTime;
    wallShowOrigin = shown;
    nextTry = wallTime + kRetrySeconds;
}

MusicClockStep MusicClock::FollowWall(const MusicReading& reading) {
    if (reading.hasOutput) {
        owner = Owner::StartingDevice;
        deviceSince = reading.wallTime;
        devicePosition = reading.position;
        return WatchNewDevice(reading);
    }
    MusicClockStep step;
    step.showTime = WallShowTime(reading.wallTime);
    if (reading.wallTime >= nextTry) {
        step.action = MusicClockAction::TryOpen;
        nextTry = reading.wallTime + kRetrySeconds;
    }
    return step;
}

MusicClockStep MusicClock::WatchNewDevice(const MusicReading& reading) {
    MusicClockStep step;
    step.showTime = WallShowTime(reading.wallTime);
    if (reading.position != devicePosition && !reading.outputLost) {
        // It plays: the music goes on at the show's time, and takes the clock
        // from the next step on, never behind the time shown now.
        owner = Owner::Music;
        floor = step.showTime;
        lastMove = reading.wallTime;
        started = false;
        step.action = MusicClockAction::SeekMusic;
        return step;
    }
    if (reading.outputLost || reading.wallTime - deviceSince >= kStartSeconds) {
        owner = Owner::Wall;
        nextTry = reading.wallTime + kRetrySeconds;
        step.action = MusicClockAction::ReleaseOutput;
    }
    return step;
}
