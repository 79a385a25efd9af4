#include "tools/live/StartPlan.h"

void StartPlan::Rebuild(bool playing, double now, bool pausedNow) {
    if (playing && !due) {
        time = now;
        paused = pausedNow;
    }
    due = true;
}
