#pragma once

// Where and how the show is to start playing: asked on the command line, or
// the moment a rebuild left. It holds through starts and rebuilds that fail
// and is applied once, when the show plays again.
class StartPlan {
public:
    StartPlan(double time, bool paused) : time(time), paused(paused) {}

    // A rebuild: a playing show hands over its moment; a show that does not
    // play (it failed to build, or is still building) leaves the plan as it is.
    void Rebuild(bool playing, double now, bool pausedNow);
    // While the show does not play, the transport keys move the plan.
    void MoveTo(double at) { time = at; }
    void TogglePause() { paused = !paused; }
    // The show plays: the plan is applied and not due until the next rebuild.
    void Applied() { due = false; }

    bool Due() const { return due; }
    double Time() const { return time; }
    bool Paused() const { return paused; }

private:
    double time;
    bool paused;
    bool due = true;
};
