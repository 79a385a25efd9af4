#include "engine/audio/MusicClock.h"

#include <gtest/gtest.h>

namespace {

// One frame's reading: wall time, the player's position, and its device.
// The times below are sums of powers of two, exact in binary.
MusicReading At(double wall, double position, bool hasOutput = true, bool lost = false) {
    MusicReading reading;
    reading.wallTime = wall;
    reading.position = position;
    reading.hasOutput = hasOutput;
    reading.outputLost = lost;
    return reading;
}

// A clock that played the music from 0 at wall time 100 up to `until`.
MusicClock PlayedUntil(double until) {
    MusicClock clock;
    clock.Restart(100.0, 0.0);
    for (double t = 0.0; t <= until; t += 0.0625)
        clock.Step(At(100.0 + t, t));
    return clock;
}

}

TEST(MusicClock, AStalledCursorHandsTheShowToTheWallClockFromWhereItWas) {
    MusicClock clock = PlayedUntil(10.0);
    // The cursor stands still: the show waits for it a quarter of a second.
    EXPECT_EQ(clock.Step(At(110.125, 10.0)).action, MusicClockAction::None);
    EXPECT_FALSE(clock.OnWallClock());
    MusicClockStep lost = clock.Step(At(110.25, 10.0));
    EXPECT_TRUE(lost.lost);
    EXPECT_EQ(lost.action, MusicClockAction::ReleaseOutput);
    EXPECT_EQ(lost.showTime, 10.0);
    EXPECT_TRUE(clock.OnWallClock());
    // From there on exactly real time, whatever the player says; lost once.
    MusicClockStep later = clock.Step(At(111.75, 3.0, false));
    EXPECT_EQ(later.showTime, 11.5);
    EXPECT_FALSE(later.lost);
    EXPECT_EQ(later.action, MusicClockAction::None);
}

TEST(MusicClock, ADeviceThatSaysItIsGoneIsLeftAtOnce) {
    MusicClock clock = PlayedUntil(5.0);
    MusicClockStep step = clock.Step(At(105.0625, 5.0625, true, true));
    EXPECT_TRUE(step.lost);
    EXPECT_EQ(step.action, MusicClockAction::ReleaseOutput);
    EXPECT_EQ(step.showTime, 5.0);
}

TEST(MusicClock, RetriesEveryTwoSecondsAndTheMusicTakesOverOnceANewDevicePlays) {
    MusicClock clock = PlayedUntil(5.0);
    clock.Step(At(105.5, 5.0)); // stalled since 105: lost at 5.0
    EXPECT_EQ(clock.Step(At(107.25, 5.0, false)).action, MusicClockAction::None);
    EXPECT_EQ(clock.Step(At(107.5, 5.0, false)).action, MusicClockAction::TryOpen);
    EXPECT_EQ(clock.Step(At(108.0, 5.0, false)).action, MusicClockAction::None);
    EXPECT_EQ(clock.Step(At(109.5, 5.0, false)).action, MusicClockAction::TryOpen);
    // A device came: silent until its cursor moves, the wall clock goes on.
    EXPECT_EQ(clock.Step(At(109.75, 5.0)).action, MusicClockAction::None);
    MusicClockStep back = clock.Step(At(110.0, 5.125));
    EXPECT_EQ(back.action, MusicClockAction::SeekMusic);
    EXPECT_EQ(back.showTime, 9.5);
    EXPECT_FALSE(clock.OnWallClock());
    // The sought music may report a hair behind: the show never goes back.
    EXPECT_EQ(clock.Step(At(110.0625, 9.4999)).showTime, 9.5);
    EXPECT_EQ(clock.Step(At(110.125, 9.625)).showTime, 9.625);
}

TEST(MusicClock, ANewDeviceThatNeverPlaysIsLeftAndTriedAgain) {
    MusicClock clock = PlayedUntil(1.0);
    clock.Step(At(101.5, 1.0));
    clock.Step(At(103.5, 1.0, false)); // TryOpen
    clock.Step(At(103.75, 1.0));       // opened, silent
    EXPECT_EQ(clock.Step(At(107.5, 1.0)).action, MusicClockAction::None);
    MusicClockStep step = clock.Step(At(107.75, 1.0));
    EXPECT_EQ(step.action, MusicClockAction::ReleaseOutput);
    EXPECT_FALSE(step.lost); // reported once, when the music went
    EXPECT_EQ(clock.Step(At(109.75, 1.0, false)).action, MusicClockAction::TryOpen);
}

TEST(MusicClock, ADeviceStartingUpGetsTimeAndASeekMovesEitherClock) {
    MusicClock clock;
    clock.Restart(50.0, 20.0);
    // The first sound can take seconds to come on a fresh stream.
    EXPECT_FALSE(clock.Step(At(53.0, 20.0)).lost);
    EXPECT_EQ(clock.Step(At(53.125, 20.125)).showTime, 20.125);
    // A seek back is the show's own wish, not a clock going backwards.
    clock.Restart(53.25, 4.0);
    EXPECT_EQ(clock.Step(At(53.375, 4.0)).showTime, 4.0);
    clock.Step(At(53.5, 4.125));
    EXPECT_TRUE(clock.Step(At(53.75, 4.125)).lost);
    clock.Restart(60.0, 30.0); // sought, or resumed after a pause, on the wall clock
    EXPECT_EQ(clock.Step(At(61.0, 4.125, false)).showTime, 31.0);
}
